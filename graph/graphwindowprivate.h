#pragma once

// The graph window's state and the number texts it writes, shared by the source files that
// implement GraphWindow. Not for use outside graph/.
#include "engine/numbertext.h"
#include "graph/graphdocument.h"
#include "graph/graphwindow.h"
#include "graph/plotscene.h"
#include "ui/decimalseparator.h"
#include "ui/plotoverlay.h"
#include "ui/themecolours.h"

#include <QMdiSubWindow>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <array>

class QBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;
class QToolBar;

namespace zv {

class FramePlayer;
class PlotArea;

inline QString NumberText(double value, int decimals, char16_t separator)
{
    return QString::fromStdU16String(FormatRounded(value, decimals, separator));
}

struct GraphWindow::State
{
    explicit State(const GraphEquation &equation)
        : document(equation.function.toStdU16String(), equation.a, equation.b)
    {
    }

    // The equation, its view, the last drawing and the last root search; the controls show it.
    GraphDocument document;

    // What the plot shows besides the document.
    PlotBackdrop backdrop = PlotBackdrop::Logo;
    QImage backdropPicture;
    PlotOverlay overlay;
    bool gridShown = false;

    ThemeColours colours;

    QToolBar *toolbar = nullptr;
    QStatusBar *statusBar = nullptr;
    std::array<QLabel *, 3> panels{};
    PlotArea *picture = nullptr;
    QListWidget *lstRoot = nullptr;
    QPushButton *cmdRadacini = nullptr;
    QPushButton *cmdGrafic = nullptr;
    QLabel *lblRoot = nullptr;
    QLabel *lbl2 = nullptr;
    QLabel *lbl3 = nullptr;
    QLabel *label7 = nullptr;
    QBoxLayout *column = nullptr; // the controls beside the plot

    // True while FindRoots runs (it keeps the window alive through a long scan).
    bool scanning = false;

    // The animated graphic while it plays (it removes itself when done).
    QPointer<FramePlayer> animation;

    QPointer<QMdiSubWindow> subWindow;
    QMetaObject::Connection subWindowActivation;
    // Repaints the focus frame of the plot and the list; cut before the controls go.
    QMetaObject::Connection focusFollowing;
};

} // namespace zv

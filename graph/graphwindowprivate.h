#pragma once

// The graph window's state and the number texts it writes, shared by the source files that
// implement GraphWindow (graphwindow.cpp, graphnavigation.cpp). Not for use outside graph/.
#include "engine/numbertext.h"
#include "graph/graphwindow.h"
#include "graph/viewcommands.h"
#include "ui/themecolours.h"

#include <QLocale>
#include <QMdiSubWindow>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>

class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;
class QToolBar;

namespace zv {

class FramePlayer;
class PlotArea;

inline constexpr int kLoadPrecision = 100;

// The user's decimal separator; every number text of the window is written and read with it.
inline char16_t DecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? u'.' : point.at(0).unicode();
}

inline QString NumberText(double value, int decimals, char16_t separator)
{
    return QString::fromStdU16String(FormatRounded(value, decimals, separator));
}

struct GraphWindow::State
{
    QString fText;
    double a = 0.0;
    double b = 0.0;
    double homeA = 0.0;
    double homeB = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
    int16_t precision = kLoadPrecision;
    bool autoPending = true;
    ThemeColours colours;
    // The separator the list's lines were written with, to read them back alike.
    char16_t listSeparator = u'.';
    // The engine's code when the last root search could evaluate f nowhere, otherwise 0.
    int16_t scanError = 0;

    ViewExtent Extent() const { return {a, b, yMin, yMax}; }
    void SetExtent(const ViewExtent &view)
    {
        a = view.a;
        b = view.b;
        yMin = view.yMin;
        yMax = view.yMax;
    }

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

    // True while FindRoots runs (it keeps the window alive through a long scan).
    bool scanning = false;

    // The animated graphic while it plays (it removes itself when done).
    QPointer<FramePlayer> animation;

    QPointer<QMdiSubWindow> subWindow;
    QMetaObject::Connection subWindowActivation;
};

} // namespace zv

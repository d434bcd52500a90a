// Copying a graph window: the picture and the results text that a save would write, both on
// the clipboard at once, so an image editor pastes the plot and a text editor the results.
#include "graph/graphwindow.h"

#include "graph/graphwindowprivate.h"
#include "graph/plotarea.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>

namespace zv {

void GraphWindow::ConnectCopy()
{
    auto *copy = new QAction(QStringLiteral("&Copy"), this);
    copy->setObjectName(QStringLiteral("actCopy"));
    copy->setShortcut(QKeySequence::Copy);
    // Ctrl+C belongs to the graph window whose control has the focus, not to the whole program.
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &GraphWindow::CopyToClipboard);
    addAction(copy);
    m_state->lstRoot->addAction(copy);
    m_state->lstRoot->setContextMenuPolicy(Qt::ActionsContextMenu);
    // Any button pressed on the plot asks for the Newton window or moves the view; a menu on
    // top of that would pop up once the Newton window closed. Nor does the window show one.
    m_state->picture->setContextMenuPolicy(Qt::PreventContextMenu);
}

void GraphWindow::CopyToClipboard()
{
    if (!EnsureRootsOfView())
        return;
    auto *data = new QMimeData;
    data->setImageData(SavedPicture());
    QString text = QString::fromUtf8(ResultsFileText());
#ifndef Q_OS_WIN
    // Text on the clipboard ends its lines as the platform does.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
#endif
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace zv

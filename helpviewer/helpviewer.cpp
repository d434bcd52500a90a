#include "helpviewer/helpviewer.h"

#include "helpviewer/helpbook.h"
#include "helpviewer/helpwindow.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QWindow>
#include <utility>

namespace zv {

namespace {

// Puts a new help window to the right of the window that asked, or to its left, when the
// screen has room there; otherwise leaves it where the window system puts it.
void PlaceBeside(QWidget *help, QWidget *caller)
{
    if (caller == nullptr)
        return;
    const QWidget *frame = caller->window();
    const QScreen *screen = frame->screen();
    if (screen == nullptr)
        return;
    const QRect available = screen->availableGeometry();
    const QRect beside = frame->frameGeometry();
    QRect placed(QPoint(beside.right() + 1, beside.top()), help->size());
    if (!available.contains(placed))
        placed.moveRight(beside.left() - 1);
    if (available.contains(placed))
        help->move(placed.topLeft());
}

} // namespace

HelpViewer::HelpViewer(QString helpFile, QObject *parent)
    : QObject(parent)
    , m_helpFile(std::move(helpFile))
{
}

HelpViewer::~HelpViewer()
{
    // The window has no owner (it stands beside the program), so it goes with the viewer.
    delete m_window;
}

HelpWindow *HelpViewer::window() const
{
    return m_window;
}

HelpWindow *HelpViewer::Window(const QString &windowName, QWidget *caller)
{
    if (m_window == nullptr) {
        m_window = new HelpWindow(
            OpenHelpBook(QFile::encodeName(m_helpFile).toStdString(), windowName.toStdString()));
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        PlaceBeside(m_window, caller);
    }
    return m_window;
}

void HelpViewer::Present()
{
    HelpWindow *window = m_window;
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    // A window that a modal dialog is up over would take no input until the dialog closes;
    // standing as the dialog's transient it stays usable beside it, like a help window should.
    if (QWindow *handle = window->windowHandle()) {
        const QWidget *modal = QApplication::activeModalWidget();
        handle->setTransientParent(modal != nullptr && modal != window ? modal->windowHandle()
                                                                       : nullptr);
    }
    window->raise();
    window->activateWindow();
}

void HelpViewer::ShowHelpContents(const QString &windowName, QWidget *window)
{
    Window(windowName, window)->ShowContents();
    Present();
}

void HelpViewer::ShowHelpIndex(const QString &windowName, QWidget *window)
{
    Window(windowName, window)->ShowIndex();
    Present();
}

void HelpViewer::ShowHelpTopic(const QString &windowName, const QString &topic, QWidget *window)
{
    ShowHelpContents(windowName, window);
    m_window->ShowTopic(topic);
}

} // namespace zv

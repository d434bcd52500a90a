#include "helpviewer/helpviewer.h"

#include "helpviewer/helpwindow.h"

#include <QApplication>
#include <QEvent>
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
        m_window = new HelpWindow(m_helpFile, windowName);
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
    QWidget *modal = QApplication::activeModalWidget();
    StandBeside(modal != window ? modal : nullptr);
    window->raise();
    window->activateWindow();
}

void HelpViewer::StandBeside(QWidget *modal)
{
    // A window that a modal one is up over takes no input until that one closes; standing as
    // its transient, the help stays usable beside it, and goes back to standing alone when it
    // closes.
    if (m_modal != nullptr && m_modal != modal)
        m_modal->removeEventFilter(this);
    if (modal != nullptr && m_modal != modal)
        modal->installEventFilter(this);
    m_modal = modal;
    if (m_window == nullptr)
        return;
    if (QWindow *handle = m_window->windowHandle())
        handle->setTransientParent(modal != nullptr ? modal->windowHandle() : nullptr);
}

bool HelpViewer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_modal && event->type() == QEvent::Hide)
        StandBeside(nullptr);
    return QObject::eventFilter(watched, event);
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

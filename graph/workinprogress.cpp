#include "graph/workinprogress.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QWidget>

namespace zv {

namespace {

// What the user does: dropped while the work runs, so that no command starts inside it and
// none is left queued to run after it.
bool IsUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

WorkInProgress::WorkInProgress(std::function<void()> onWait)
    : m_onWait(std::move(onWait))
{
    m_clock.start();
}

WorkInProgress::~WorkInProgress()
{
    if (!m_waiting)
        return;
    QCoreApplication::instance()->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    // After the handler that ran the work has returned, not inside it.
    for (const QPointer<QWidget> &window : std::as_const(m_heldCloses)) {
        if (window)
            QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
    }
}

bool WorkInProgress::KeepGoing()
{
    if (m_stopped)
        return false;
    const qint64 now = m_clock.elapsed();
    if (!m_waiting) {
        if (now < kQuietMs)
            return true;
        BeginWaiting();
    } else if (now - m_lastTurn < kSliceMs) {
        return true;
    }
    m_lastTurn = now;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !m_stopped;
}

void WorkInProgress::BeginWaiting()
{
    m_waiting = true;
    QCoreApplication::instance()->installEventFilter(this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_onWait)
        m_onWait();
}

bool WorkInProgress::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        m_stopped = true;
        return true;
    }
    if (IsUserInput(type))
        return true;
    if (type == QEvent::Close && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->isWindow()) {
            // Closing now would pull the window from under the work running in it.
            m_stopped = true;
            if (!m_heldCloses.contains(widget))
                m_heldCloses.append(widget);
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zv

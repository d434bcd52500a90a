#include "graph/workinprogress.h"

#include "graph/userinput.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QWidget>

namespace zv {

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
    if (IsUserInput(type, true))
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

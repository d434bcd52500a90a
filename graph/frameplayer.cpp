#include "graph/frameplayer.h"

#include "graph/userinput.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace zv {

FramePlayer::FramePlayer(QWidget *window, int frameCount, int framePeriodMs,
                         std::function<void(int frame)> drawFrame)
    : QObject(window)
    , m_window(window)
    , m_frameCount(frameCount)
    , m_framePeriodMs(framePeriodMs)
    , m_drawFrame(std::move(drawFrame))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &FramePlayer::DrawNext);
}

FramePlayer::~FramePlayer()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

void FramePlayer::Start()
{
    QCoreApplication::instance()->installEventFilter(this);
    m_clock.start();
    DrawNext();
}

void FramePlayer::DrawNext()
{
    if (m_next < m_frameCount) {
        m_drawFrame(m_next);
        ++m_next;
    }
    if (m_next >= m_frameCount) {
        QCoreApplication::instance()->removeEventFilter(this);
        emit finished();
        deleteLater();
        return;
    }
    const qint64 due = static_cast<qint64>(m_next) * m_framePeriodMs;
    m_timer.start(static_cast<int>(std::max<qint64>(0, due - m_clock.elapsed())));
}

bool FramePlayer::Inside(const QObject *object) const
{
    for (; object != nullptr; object = object->parent()) {
        if (object == m_window) {
            return true;
        }
    }
    return false;
}

bool FramePlayer::eventFilter(QObject *watched, QEvent *event)
{
    // Pointer moves pass: they only update the panels and the cursor.
    if (IsUserInput(event->type(), false) && Inside(watched)) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zv

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class QWidget;

namespace zv {

// Plays a run of drawings at a steady pace: frame i is drawn no sooner than i frame periods
// after the start, and the event loop turns between frames, so each one reaches the screen
// before the next is made, however fast the machine. While it plays, the user's input to
// `window` and everything inside it (clicks, keys, the wheel, shortcuts) is dropped; the
// window still repaints and can be closed. A child of `window`, so it ends with it.
class FramePlayer : public QObject
{
    Q_OBJECT

public:
    FramePlayer(QWidget *window, int frameCount, int framePeriodMs,
                std::function<void(int frame)> drawFrame);
    ~FramePlayer() override;

    // Draws the first frame now and the rest on the clock.
    void Start();

signals:
    // After the last frame has been drawn; the player deletes itself afterwards.
    void finished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void DrawNext();
    bool Inside(const QObject *object) const;

    QPointer<QWidget> m_window;
    int m_frameCount;
    int m_framePeriodMs;
    std::function<void(int)> m_drawFrame;
    int m_next = 0;
    QElapsedTimer m_clock;
    QTimer m_timer;
};

} // namespace zv

#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace zv {

// Keeps the program alive through a long piece of work on the user-interface thread, such as
// the root scan of a 32,767-character function. Work that ends within kQuietMs sees none of
// this. Past that, the pointer becomes a wait cursor and each call of KeepGoing turns the event
// loop (at most every kSliceMs), so that windows repaint; the user's input meanwhile is
// dropped, to every window, except Escape, which stops the work. A window asked to close in
// the meantime stops the work too, and closes once it is over. The work must not start another
// piece of work inside itself; input being dropped, nothing the user does can make it.
class WorkInProgress : public QObject
{
public:
    static constexpr int kQuietMs = 250;
    static constexpr int kSliceMs = 50;

    // onWait runs once, when the wait cursor appears (to say what is going on).
    explicit WorkInProgress(std::function<void()> onWait = {});
    ~WorkInProgress() override;

    WorkInProgress(const WorkInProgress &) = delete;
    WorkInProgress &operator=(const WorkInProgress &) = delete;

    // Between two steps of the work: false once the user asked it to stop.
    bool KeepGoing();
    bool Stopped() const { return m_stopped; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BeginWaiting();

    std::function<void()> m_onWait;
    QElapsedTimer m_clock;
    qint64 m_lastTurn = 0;
    bool m_waiting = false;
    bool m_stopped = false;
    QList<QPointer<QWidget>> m_heldCloses;
};

} // namespace zv

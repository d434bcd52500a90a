#include "ui/themefollower.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

namespace zv {

namespace {

const char *const kFollowerName = "zvThemeFollower";

// Kept by the window it colours, as its child.
class ThemeFollower : public QObject
{
public:
    explicit ThemeFollower(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        setObjectName(QLatin1String(kFollowerName));
        window->installEventFilter(this);
        FollowFrame();
    }
    ~ThemeFollower() override { QObject::disconnect(m_frameActivation); }

    void SetColours(const ThemeColours &colours)
    {
        m_colours = colours;
        Apply();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window) {
            if (event->type() == QEvent::WindowActivate)
                Apply();
            else if (event->type() == QEvent::ParentChange)
                FollowFrame();
        }
        return false;
    }

private:
    void Apply() { ApplyThemeByPrefix(m_window, m_colours); }

    // A child window of a document area is activated by its frame, which tells it through its
    // state, not through an activation event.
    void FollowFrame()
    {
        auto *frame = qobject_cast<QMdiSubWindow *>(m_window->parentWidget());
        if (frame == m_frame)
            return;
        QObject::disconnect(m_frameActivation);
        m_frame = frame;
        if (frame == nullptr)
            return;
        m_frameActivation = connect(frame, &QMdiSubWindow::windowStateChanged, this,
                                    [this](Qt::WindowStates oldState, Qt::WindowStates newState) {
                                        if (newState.testFlag(Qt::WindowActive) &&
                                            !oldState.testFlag(Qt::WindowActive))
                                            Apply();
                                    });
    }

    QWidget *m_window;
    ThemeColours m_colours;
    QPointer<QMdiSubWindow> m_frame;
    QMetaObject::Connection m_frameActivation;
};

} // namespace

void FollowTheme(QWidget *window, const ThemeColours &colours)
{
    if (window == nullptr)
        return;
    auto *follower = dynamic_cast<ThemeFollower *>(
        window->findChild<QObject *>(QLatin1String(kFollowerName), Qt::FindDirectChildrenOnly));
    if (follower == nullptr)
        follower = new ThemeFollower(window);
    follower->SetColours(colours);
}

} // namespace zv

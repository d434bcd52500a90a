#include "app/quitwhenshown.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace zv {

namespace {

// A top-level window and its children are painted in one pass: quitting once the event loop
// comes back from the first paint leaves the whole window drawn.
class QuitAfterFirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            QCoreApplication::instance()->removeEventFilter(this);
            // exit, not quit: quit would first ask the windows to close, and the main window asks
            // the user to confirm that.
            QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void QuitWhenShownIfAsked()
{
    if (qEnvironmentVariable("ZEROVANE_QUIT_WHEN_SHOWN") != QLatin1String("1"))
        return;
    QCoreApplication *app = QCoreApplication::instance();
    app->installEventFilter(new QuitAfterFirstPaint(app));
}

} // namespace zv

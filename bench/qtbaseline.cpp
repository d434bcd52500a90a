// The yardstick of the start-up figure: the least a Qt Widgets program does to show a window,
// a main window with a menu bar and an empty multiple-document area. It ends the way zerovane
// does under ZEROVANE_QUIT_WHEN_SHOWN=1 (app/quitwhenshown.cpp): once the event loop comes back
// from the first paint.

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QTimer>

namespace {

class QuitAfterFirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&Main"));
    window.setCentralWidget(new QMdiArea);
    window.resize(800, 600);
    window.show();
    QuitAfterFirstPaint quit;
    app.installEventFilter(&quit);
    return app.exec();
}

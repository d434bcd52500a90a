// The yardstick of the start-up figure: the least a Qt Widgets program does to show a window,
// a main window with a menu bar and an empty multiple-document area, ended the same way as
// zerovane once it is painted (ZEROVANE_QUIT_WHEN_SHOWN=1).

#include "app/quitwhenshown.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&Main"));
    window.setCentralWidget(new QMdiArea);
    window.resize(800, 600);
    window.show();
    zv::QuitWhenShownIfAsked();
    return app.exec();
}

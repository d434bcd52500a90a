#include "shell/mainwindow.h"
#include "shell/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zerovane"));
    QApplication::setOrganizationName(QStringLiteral("Zerovane"));

    zv::MainWindow main;
    if (!zv::StartUp(main, QApplication::arguments()))
        return 1;
    return app.exec();
}

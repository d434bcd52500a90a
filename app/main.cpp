#include "app/displayprobe.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"

#include <QApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kNoDisplayStatus = 1;

void ReportNoDisplay()
{
    std::fputs("zerovane: no display to show its windows on (DISPLAY is not set, or no X server "
               "answers there); zerovane-cli solves equations in a terminal.\n",
               stderr);
}

// Qt ends the process when its platform plug-in cannot start (a display that went away between
// the probe and the start, a platform that is not installed): say why in our words and leave
// without a core dump.
void FatalStartMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg) {
        ReportNoDisplay();
        std::_Exit(kNoDisplayStatus);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // A file-size limit must end a write with an error we report, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    if (!zv::DisplayAvailable()) {
        ReportNoDisplay();
        return kNoDisplayStatus;
    }

    const QtMessageHandler previous = qInstallMessageHandler(FatalStartMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    QApplication::setApplicationName(QStringLiteral("Zerovane"));
    QApplication::setOrganizationName(QStringLiteral("Zerovane"));

    zv::MainWindow main;
    if (!zv::StartUp(main, QApplication::arguments()))
        return 1;
    return app.exec();
}

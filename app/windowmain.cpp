// The window program (see programparts.h): the main window with its graph and tool windows.
#include "app/displayprobe.h"
#include "app/programarguments.h"
#include "app/programparts.h"
#include "app/quitwhenshown.h"
#include "shell/aboutwindow.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "texts/version.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

namespace {

constexpr int kNoDisplayStatus = 1;

void ReportNoDisplay()
{
    std::fputs("zerovane: no display to show its windows on (DISPLAY is not set, or no X server "
               "answers there); zerovane-cli solves equations in a terminal, and zerovane -x "
               "PROJECT.zvn saves a project's graph and roots without one.\n",
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

extern "C" __attribute__((visibility("default"))) int ZerovaneWindow(int argc, char *argv[])
{
    static_assert(std::is_same_v<decltype(&ZerovaneWindow), zv::WindowPartEntry>);
    if (!zv::DisplayAvailable()) {
        ReportNoDisplay();
        return kNoDisplayStatus;
    }
    const QtMessageHandler previous = qInstallMessageHandler(FatalStartMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    QApplication::setApplicationName(QStringLiteral("Zerovane"));
    QApplication::setOrganizationName(QStringLiteral("Zerovane"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2").arg(zv::kVersionMajor).arg(zv::kVersionMinor));
    // The desktop entry's name, so that a desktop shows our icon for our windows.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZV_APP_ID));
    QApplication::setWindowIcon(zv::ProgramIcon());

    zv::MainWindow main;
    int status = 0;
    // QApplication took its own options out of argv.
    if (!zv::StartUp(main, zv::ProgramArguments(argc, argv), &status))
        return status;
    zv::QuitWhenShownIfAsked();
    return app.exec();
}

#include "app/displayprobe.h"
#include "app/inforequest.h"
#include "app/quitwhenshown.h"
#include "graph/plotscene.h"
#include "shell/aboutwindow.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "texts/version.h"
#include "ui/systempath.h"

#include <QApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kNoDisplayStatus = 1;
constexpr int kFailureStatus = 1;

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

// A batch run tells on stderr only what failed; Qt's own notes (a missing runtime folder on a
// server, say) would be noise there. A platform that cannot start ends it with status 1.
void BatchMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "zerovane: %s\n", qPrintable(message));
    if (type == QtFatalMsg)
        std::_Exit(kFailureStatus);
}

// The arguments with their bytes (QApplication::arguments() loses those that are not UTF-8).
QStringList Arguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << zv::PathFromBytes(argv[i]);
    return arguments;
}

// The batch export draws into pictures only, so it needs no display, no windows and no
// widgets: Qt's minimal platform with the system's fonts loads nothing else (the offscreen one
// also looks for desktop themes and styles), and it runs on a server too. Its failures are
// told on stderr, where nobody has to answer them.
int RunBatch(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "minimal:enable_fonts");
    qInstallMessageHandler(BatchMessage);
    QGuiApplication app(argc, argv);
    QGuiApplication::setFont(zv::PlotFont());
    // QGuiApplication took its own options out of argv.
    const int status = zv::RunBatchCommand(Arguments(argc, argv));
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace

int main(int argc, char *argv[])
{
    // A file-size limit must end a write with an error we report, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    if (const std::optional<int> status = zv::AnswerInfoRequest(argc, argv))
        return *status;
    if (zv::IsBatchCommand(Arguments(argc, argv)))
        return RunBatch(argc, argv);
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
    if (!zv::StartUp(main, Arguments(argc, argv), &status))
        return status;
    zv::QuitWhenShownIfAsked();
    return app.exec();
}

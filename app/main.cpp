#include "app/displayprobe.h"
#include "app/inforequest.h"
#include "app/quitwhenshown.h"
#include "shell/aboutwindow.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "texts/version.h"
#include "ui/messagebox.h"
#include "ui/systempath.h"

#include <QApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>

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

// A batch run tells on stderr only what failed; Qt's own notes (a missing runtime folder on a
// server, say) would be noise there.
void BatchMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        FatalStartMessage(type, context, message);
}

// The arguments with their bytes (QApplication::arguments() loses those that are not UTF-8).
QStringList Arguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << zv::PathFromBytes(argv[i]);
    return arguments;
}

// Platforms on which nobody can see, let alone answer, a message box.
bool NobodyWatches()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

} // namespace

int main(int argc, char *argv[])
{
    // A file-size limit must end a write with an error we report, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    if (const std::optional<int> status = zv::AnswerInfoRequest(argc, argv))
        return *status;
    const QStringList arguments = Arguments(argc, argv);
    const bool batch =
        zv::IsBatchCommandLine(zv::JoinCommandLine(arguments)) || zv::IsExportCommand(arguments);
    if (!zv::DisplayAvailable()) {
        if (!batch) {
            ReportNoDisplay();
            return kNoDisplayStatus;
        }
        // The batch export draws and saves without showing anything: it runs on a server too.
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    const QtMessageHandler previous =
        qInstallMessageHandler(batch ? BatchMessage : FatalStartMessage);
    QApplication app(argc, argv);
    if (!batch)
        qInstallMessageHandler(previous);
    QApplication::setApplicationName(QStringLiteral("Zerovane"));
    QApplication::setOrganizationName(QStringLiteral("Zerovane"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2").arg(zv::kVersionMajor).arg(zv::kVersionMinor));
    // The desktop entry's name, so that a desktop shows our icon for our windows.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZV_APP_ID));
    QApplication::setWindowIcon(zv::ProgramIcon());
    if (batch && NobodyWatches()) {
        // A batch run without a display must never wait for a click; its failures are told on
        // stderr instead.
        zv::SetMessageResponder([](const zv::MessageRequest &) { return zv::MessageAnswer::Ok; });
    }

    zv::MainWindow main;
    int status = 0;
    // QApplication took its own options out of argv.
    if (!zv::StartUp(main, Arguments(argc, argv), &status))
        return status;
    zv::QuitWhenShownIfAsked();
    return app.exec();
}

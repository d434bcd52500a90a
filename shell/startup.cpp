#include "shell/startup.h"

#include "engine/evaluator.h"
#include "graph/graphwindow.h"
#include "shell/helpfile.h"
#include "shell/mainwindow.h"
#include "shell/projectfile.h"
#include "texts/messagetexts.h"
#include "ui/cursoricons.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace zv {

namespace {

constexpr int kFailureStatus = 1;
const QLatin1StringView kBatchPrefix("-x ");

void ReportBatchFailure(const QString &what)
{
    std::fprintf(stderr, "zerovane: %s\n", qPrintable(what));
}

// Reads the project, opens a graph window for it and saves the plot and the results beside the
// project file (its path followed by ".jpg" and ".txt"), without a question. The main window
// stays hidden.
int RunBatchExport(MainWindow &main, const QString &path)
{
    QString failure;
    if (!ReadProject(path, nullptr, &failure)) {
        ReportBatchFailure(QStringLiteral("project not read: ") + QDir::toNativeSeparators(path) +
                           QStringLiteral(": ") + failure);
        return kFailureStatus;
    }
    failure = main.OpenGraphWindow()->auto_save(path);
    if (!failure.isEmpty()) {
        ReportBatchFailure(failure);
        return kFailureStatus;
    }
    return 0;
}

} // namespace

QString JoinCommandLine(const QStringList &arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

bool IsBatchCommandLine(const QString &commandLine)
{
    return commandLine.startsWith(kBatchPrefix);
}

bool StartUp(MainWindow &main, const QStringList &arguments, int *exitStatus)
{
    int ignored = 0;
    int &status = exitStatus != nullptr ? *exitStatus : ignored;
    FillMessageTexts();
    QString commandLine = JoinCommandLine(arguments);
    InitEvaluator();
    if (IsBatchCommandLine(commandLine)) {
        status =
            RunBatchExport(main, commandLine.mid(kBatchPrefix.size()).remove(QLatin1Char('"')));
        return false;
    }
    SetUpHelp(main, QCoreApplication::applicationDirPath());
    LoadCursorIcons();
    main.LoadAppearance();

    commandLine.remove(QLatin1Char('"'));
    if (!commandLine.isEmpty()) {
        // The reader's message shows before the frame does, and a failure ends the program.
        if (!ReadProject(commandLine)) {
            status = kFailureStatus;
            return false;
        }
        main.show();
        main.OpenGraphWindow();
        return true;
    }
    // With nothing to open, the wizard leads the user to an equation.
    main.show();
    main.ShowWizard();
    return true;
}

} // namespace zv

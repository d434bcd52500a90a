#include "shell/startup.h"

#include "engine/evaluator.h"
#include "graph/graphwindow.h"
#include "shell/helpfile.h"
#include "shell/mainwindow.h"
#include "shell/projectfile.h"
#include "texts/messagetexts.h"
#include "ui/cursoricons.h"
#include "ui/systempath.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace zv {

namespace {

constexpr int kFailureStatus = 1;
const QLatin1StringView kBatchPrefix("-x ");

// A path in the line keeps its bytes, as the shell gave them.
void ReportBatchFailure(const QString &what)
{
    std::fprintf(stderr, "zerovane: %s\n", PathBytes(what).constData());
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
    const QString commandLine = JoinCommandLine(arguments);
    InitEvaluator();
    if (IsBatchCommandLine(commandLine)) {
        status = RunBatchExport(main, TypedProjectPath(commandLine.mid(kBatchPrefix.size())));
        return false;
    }
    SetUpHelp(main, QCoreApplication::applicationDirPath());
    LoadCursorIcons();
    main.LoadAppearance();

    if (!commandLine.isEmpty()) {
        // The reader's message shows before the frame does, and a failure ends the program.
        if (!ReadProject(TypedProjectPath(commandLine))) {
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

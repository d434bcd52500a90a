#include "shell/startup.h"

#include "engine/evaluator.h"
#include "graph/graphwindow.h"
#include "graph/pictureformats.h"
#include "shell/helpfile.h"
#include "shell/mainwindow.h"
#include "shell/projectfile.h"
#include "shell/viewsettings.h"
#include "texts/messagetexts.h"
#include "ui/cursoricons.h"
#include "ui/systempath.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <functional>

namespace zv {

namespace {

constexpr int kFailureStatus = 1;
const QLatin1StringView kBatchPrefix("-x ");
const QLatin1StringView kExportSwitch("--export");

// A path in the line keeps its bytes, as the shell gave them.
void ReportBatchFailure(const QString &what)
{
    std::fprintf(stderr, "zerovane: %s\n", PathBytes(what).constData());
}

// Reads the project, opens a graph window for it and saves it through `save`, without a
// question. The main window stays hidden.
int RunExport(MainWindow &main, const QString &path,
              const std::function<QString(GraphWindow &)> &save)
{
    QString failure;
    if (!ReadProject(path, nullptr, &failure)) {
        ReportBatchFailure(QStringLiteral("project not read: ") + QDir::toNativeSeparators(path) +
                           QStringLiteral(": ") + failure);
        return kFailureStatus;
    }
    failure = save(*main.OpenGraphWindow());
    if (!failure.isEmpty()) {
        ReportBatchFailure(failure);
        return kFailureStatus;
    }
    return 0;
}

// The plot and the results beside the project file (its path followed by ".jpg" and ".txt").
int RunBatchExport(MainWindow &main, const QString &path)
{
    return RunExport(main, path, [&path](GraphWindow &window) { return window.auto_save(path); });
}

// "--export PICTURE PROJECT": the picture in the format its extension names, with the scale
// when the user has it on, and the results under PICTURE.txt.
int RunPictureExport(MainWindow &main, const QStringList &arguments)
{
    if (arguments.size() != 4) {
        ReportBatchFailure(QStringLiteral("usage: zerovane --export PICTURE PROJECT"));
        return kFailureStatus;
    }
    const QString picture = arguments[2];
    if (!PictureFormatOf(picture)) {
        ReportBatchFailure(
            QStringLiteral("picture not written: ") + QDir::toNativeSeparators(picture) +
            QStringLiteral(": the name must end in .jpg, .jpeg, .png, .svg or .pdf"));
        return kFailureStatus;
    }
    return RunExport(main, arguments[3], [&picture](GraphWindow &window) {
        window.SetGridShown(ReadGridShown());
        return window.ExportPicture(picture);
    });
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

bool IsExportCommand(const QStringList &arguments)
{
    return arguments.size() > 1 && arguments[1] == kExportSwitch;
}

bool StartUp(MainWindow &main, const QStringList &arguments, int *exitStatus)
{
    int ignored = 0;
    int &status = exitStatus != nullptr ? *exitStatus : ignored;
    FillMessageTexts();
    const QString commandLine = JoinCommandLine(arguments);
    InitEvaluator();
    if (IsExportCommand(arguments)) {
        status = RunPictureExport(main, arguments);
        return false;
    }
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

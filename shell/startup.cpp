#include "shell/startup.h"

#include "engine/evaluator.h"
#include "graph/graphdocument.h"
#include "graph/pictureformats.h"
#include "graph/plotscene.h"
#include "graph/savedfiles.h"
#include "shell/helpfile.h"
#include "shell/mainwindow.h"
#include "shell/projectfile.h"
#include "shell/viewsettings.h"
#include "texts/messagetexts.h"
#include "ui/cursoricons.h"
#include "ui/decimalseparator.h"
#include "ui/messagetextq.h"
#include "ui/systempath.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace zv {

namespace {

constexpr int kFailureStatus = 1;
constexpr int kTextBadEquation = 6; // "Equation has an invalid syntax."
const QLatin1StringView kBatchPrefix("-x ");
const QLatin1StringView kBatchSwitch("--batch");
const QLatin1StringView kExportSwitch("--export");

// The command line as one text: the arguments after the program's name joined with one blank.
QString JoinCommandLine(const QStringList &arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

bool HasSwitch(const QStringList &arguments, QLatin1StringView name)
{
    return arguments.size() > 1 && arguments[1] == name;
}

// A path in the line keeps its bytes, as the shell gave them.
void ReportBatchFailure(const QString &what)
{
    std::fprintf(stderr, "zerovane: %s\n", PathBytes(what).constData());
}

// Reads the project at path, draws it and searches it for roots as a graph window does when it
// opens, and writes its picture and results (as SavePictureAndResults). Returns whether both
// were written; otherwise one line on stderr says what failed.
bool ExportProject(const QString &path, const QString &picture, const QString &results,
                   const QString &named, bool gridShown)
{
    QString failure;
    const ProjectReadResult project = LoadProjectFile(path);
    if (project.status == ProjectReadStatus::Ok) {
        GraphDocument document(project.function.toStdU16String(), project.a, project.b);
        document.Draw();
        document.SearchRoots(DecimalSeparator());
        PlotScene scene = SceneOf(document);
        scene.gridShown = gridShown;
        failure = SavePictureAndResults(scene, QSize(kPlotOpeningSize, kPlotOpeningSize), document,
                                        picture, results, named);
    } else {
        failure = QStringLiteral("project not read: ") + QDir::toNativeSeparators(path) +
                  QStringLiteral(": ") +
                  (project.status == ProjectReadStatus::BadEquation ? MessageTextQ(kTextBadEquation)
                                                                    : project.failure);
    }
    if (failure.isEmpty())
        return true;
    ReportBatchFailure(failure);
    return false;
}

// The plot and the results beside the project file (its path followed by ".jpg" and ".txt").
bool ExportBesideProject(const QString &path)
{
    return ExportProject(path, path + QStringLiteral(".jpg"), path + QStringLiteral(".txt"), path,
                         false);
}

// "--batch P1 P2 ...": every project, whatever became of those before it.
int RunProjects(const QStringList &projects)
{
    if (projects.isEmpty()) {
        ReportBatchFailure(QStringLiteral("usage: zerovane --batch PROJECT..."));
        return kFailureStatus;
    }
    int status = 0;
    for (const QString &project : projects) {
        if (!ExportBesideProject(project))
            status = kFailureStatus;
    }
    return status;
}

// "--export PICTURE PROJECT": the picture in the format its extension names, with the scale
// when the user has it on, and the results under PICTURE.txt.
int RunPictureExport(const QStringList &arguments)
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
    const bool written = ExportProject(arguments[3], picture, picture + QStringLiteral(".txt"),
                                       picture, ReadGridShown());
    return written ? 0 : kFailureStatus;
}

} // namespace

bool IsBatchCommand(const QStringList &arguments)
{
    return JoinCommandLine(arguments).startsWith(kBatchPrefix) ||
           HasSwitch(arguments, kBatchSwitch) || HasSwitch(arguments, kExportSwitch);
}

int RunBatchCommand(const QStringList &arguments)
{
    FillMessageTexts();
    InitEvaluator();
    if (HasSwitch(arguments, kExportSwitch))
        return RunPictureExport(arguments);
    if (HasSwitch(arguments, kBatchSwitch))
        return RunProjects(arguments.mid(2));
    const QString typed = JoinCommandLine(arguments).mid(kBatchPrefix.size());
    return ExportBesideProject(TypedProjectPath(typed)) ? 0 : kFailureStatus;
}

bool StartUp(MainWindow &main, const QStringList &arguments, int *exitStatus)
{
    int ignored = 0;
    int &status = exitStatus != nullptr ? *exitStatus : ignored;
    if (IsBatchCommand(arguments)) {
        status = RunBatchCommand(arguments);
        return false;
    }
    FillMessageTexts();
    InitEvaluator();
    SetUpHelp(main, QCoreApplication::applicationDirPath());
    LoadCursorIcons();
    main.LoadAppearance();

    const QString commandLine = JoinCommandLine(arguments);
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

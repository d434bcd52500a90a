#include "app/batchexport.h"

#include "engine/evaluator.h"
#include "graph/graphdocument.h"
#include "graph/pictureformats.h"
#include "graph/plotscene.h"
#include "graph/savedfiles.h"
#include "shell/projectfile.h"
#include "shell/viewsettings.h"
#include "texts/messagetexts.h"
#include "ui/decimalseparator.h"
#include "ui/systempath.h"

#include <QDir>

#include <cstdio>
#include <utility>

namespace zv {

namespace {

constexpr int kFailureStatus = 1;
const QLatin1StringView kBatchPrefix("-x ");
const QLatin1StringView kBatchSwitch("--batch");
const QLatin1StringView kExportSwitch("--export");

// A path in the line keeps its bytes, as the shell gave them.
void ReportFailure(const QString &what)
{
    std::fprintf(stderr, "zerovane: %s\n", PathBytes(what).constData());
}

bool HasSwitch(const QStringList &arguments, QLatin1StringView name)
{
    return arguments.size() > 1 && arguments[1] == name;
}

class Exporter
{
public:
    explicit Exporter(void (*beforeFirstPicture)())
        : m_beforeFirstPicture(beforeFirstPicture)
    {
    }

    // Reads the project at path, draws it and searches it for roots as a graph window does
    // when it opens, and writes its picture and results (SavePictureAndResults). Returns
    // whether both were written; otherwise one line on stderr says what failed.
    bool Export(const QString &path, const QString &picture, const QString &results,
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
            if (m_beforeFirstPicture != nullptr)
                std::exchange(m_beforeFirstPicture, nullptr)();
            failure = SavePictureAndResults(scene, QSize(kPlotOpeningSize, kPlotOpeningSize),
                                            document, picture, results, named);
        } else {
            failure = QStringLiteral("project not read: ") + QDir::toNativeSeparators(path) +
                      QStringLiteral(": ") + project.failure;
        }
        if (failure.isEmpty())
            return true;
        ReportFailure(failure);
        return false;
    }

    // The plot and the results beside the project file (its path followed by ".jpg" and
    // ".txt").
    bool ExportBeside(const QString &path)
    {
        return Export(path, path + QStringLiteral(".jpg"), path + QStringLiteral(".txt"), path,
                      false);
    }

private:
    void (*m_beforeFirstPicture)();
};

// "--batch P1 P2 ...": every project, whatever became of those before it.
int RunProjects(Exporter &exporter, const QStringList &projects)
{
    if (projects.isEmpty()) {
        ReportFailure(QStringLiteral("usage: zerovane --batch PROJECT..."));
        return kFailureStatus;
    }
    int status = 0;
    for (const QString &project : projects) {
        if (!exporter.ExportBeside(project))
            status = kFailureStatus;
    }
    return status;
}

// "--export PICTURE PROJECT": the picture in the format its extension names, with the scale
// when the user has it on, and the results under PICTURE.txt.
int RunPictureExport(Exporter &exporter, const QStringList &arguments)
{
    if (arguments.size() != 4) {
        ReportFailure(QStringLiteral("usage: zerovane --export PICTURE PROJECT"));
        return kFailureStatus;
    }
    const QString picture = arguments[2];
    if (!PictureFormatOf(picture)) {
        ReportFailure(QStringLiteral("picture not written: ") + QDir::toNativeSeparators(picture) +
                      QStringLiteral(": the name must end in .jpg, .jpeg, .png, .svg or .pdf"));
        return kFailureStatus;
    }
    const bool written = exporter.Export(arguments[3], picture, picture + QStringLiteral(".txt"),
                                         picture, ReadGridShown());
    return written ? 0 : kFailureStatus;
}

} // namespace

int RunBatchCommand(const QStringList &arguments, void (*beforeFirstPicture)())
{
    FillMessageTexts();
    InitEvaluator();
    Exporter exporter(beforeFirstPicture);
    if (HasSwitch(arguments, kExportSwitch))
        return RunPictureExport(exporter, arguments);
    if (HasSwitch(arguments, kBatchSwitch))
        return RunProjects(exporter, arguments.mid(2));
    // The command line as one text: everything after "-x " is one path.
    const QString typed = arguments.mid(1).join(QLatin1Char(' ')).mid(kBatchPrefix.size());
    return exporter.ExportBeside(TypedProjectPath(typed)) ? 0 : kFailureStatus;
}

} // namespace zv

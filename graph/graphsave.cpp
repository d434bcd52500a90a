// Saving a graph window: the plot as a picture file and the results as a text file beside it.
#include "graph/graphwindow.h"

#include "graph/graphwindowprivate.h"
#include "graph/pictureformats.h"
#include "graph/plotarea.h"
#include "graph/savedfiles.h"
#include "ui/messagebox.h"
#include "ui/messagetextq.h"
#include "ui/savedialog.h"

#include <QAction>
#include <QDir>

namespace zv {

namespace {

const char *const kJpegExtension = "JPG";
constexpr int kSaveDialogFlags = 3;

// What a save of the picture and its results left on disk when either failed, so that a pair
// written in part is not taken for a whole one.
QString PairFailure(const QString &picture, const QString &results, const QString &resultsPath)
{
    if (picture.isEmpty())
        return QStringLiteral("The picture was saved, but not its results:\n\n") + results;
    const QString text = MessageTextQ(22) + QStringLiteral("\n\n") + picture;
    if (!results.isEmpty())
        return text + '\n' + results;
    return text + QStringLiteral("\n\nThe results were saved in %1.")
                      .arg(QDir::toNativeSeparators(resultsPath));
}

} // namespace

std::string GraphWindow::ResultsFileText() const
{
    // The interval is written with the separator the window shows its numbers with.
    return zv::ResultsFileText(m_state->document, DecimalSeparator());
}

QImage GraphWindow::SavedPicture() const
{
    return RenderPicture(Scene(), m_state->picture->PictureSize());
}

void GraphWindow::ConnectSaveButton()
{
    auto *save = findChild<QAction *>(QStringLiteral("bSave"));
    if (save == nullptr)
        return;
    save->setEnabled(true);
    connect(save, &QAction::triggered, this, &GraphWindow::SaveGraph);
}

void GraphWindow::SaveGraph()
{
    QString fileName;
    QString fileTitle;
    QString filter = PictureDialogFilter(MessageTextQ(20));
    int filterIndex = 1;
    int flags = kSaveDialogFlags;
    if (!ShowSaveDialog(fileName, fileTitle, true, filter, filterIndex, QString(), MessageTextQ(21),
                        QString::fromLatin1(kJpegExtension), this, flags)) {
        return;
    }
    if (!EnsureRootsOfView())
        return;
    const QString pictureFailure = SavePicture(Scene(), m_state->picture->PictureSize(), fileName);
    // Later drawings, and later pictures, show a plain background.
    m_state->backdrop = PlotBackdrop::Plain;
    m_state->backdropPicture = QImage();
    DrawGraph();
    const QString resultsPath = fileName + QStringLiteral(".txt");
    const QString resultsFailure = WriteBytes(ResultsFileText(), resultsPath);
    if (!pictureFailure.isEmpty() || !resultsFailure.isEmpty()) {
        ShowMessage(this, PairFailure(pictureFailure, resultsFailure, resultsPath), MessageTextQ(9),
                    MessageIcon::Exclamation);
    }
}

QString GraphWindow::auto_save(const QString &si)
{
    return SavePictureAndResults(si + QStringLiteral(".jpg"), si + QStringLiteral(".txt"), si);
}

QString GraphWindow::ExportPicture(const QString &picture)
{
    return SavePictureAndResults(picture, picture + QStringLiteral(".txt"), picture);
}

QString GraphWindow::SavePictureAndResults(const QString &picture, const QString &results,
                                           const QString &named)
{
    if (!EnsureRootsOfView())
        return QStringLiteral("results not written: the root search was stopped");
    const PlotScene scene = Scene();
    // The saved picture stays as the plot's background.
    m_state->backdrop = PlotBackdrop::Picture;
    m_state->backdropPicture = m_state->picture->PresentImage();
    ShowScene();
    return zv::SavePictureAndResults(scene, m_state->picture->PictureSize(), m_state->document,
                                     picture, results, named);
}

} // namespace zv

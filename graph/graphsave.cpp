// Saving a graph window: the plot as a picture file and the results as a text file beside it.
#include "graph/graphwindow.h"

#include "engine/errortext.h"
#include "export/atomicfile.h"
#include "export/dibsection.h"
#include "export/jpegwriter.h"
#include "graph/graphwindowprivate.h"
#include "graph/pictureformats.h"
#include "graph/plotarea.h"
#include "ui/messagebox.h"
#include "ui/messagetextq.h"
#include "ui/savedialog.h"
#include "ui/systempath.h"

#include <QAction>
#include <QDir>

#include <string_view>

namespace zv {

namespace {

constexpr int kJpegQuality = 100;
const char *const kJpegExtension = "JPG";
constexpr int kSaveDialogFlags = 3;

std::string SystemPath(const QString &path)
{
    return PathBytes(path).toStdString();
}

QString Failure(const QString &path, const std::string &reason)
{
    return QDir::toNativeSeparators(path) + QStringLiteral(": ") + QString::fromLocal8Bit(reason);
}

QString WriteBytes(std::string_view bytes, const QString &path)
{
    const std::string failure = WriteFileAtomically(SystemPath(path), bytes);
    return failure.empty() ? QString() : Failure(path, failure);
}

// Writes the scene as a picture of that size in the format the path's extension names, JPEG
// for any other. Returns the failure, or empty.
QString SavePicture(const PlotScene &scene, QSize size, const QString &path)
{
    const PictureFormat format = PictureFormatOf(path).value_or(PictureFormat::Jpeg);
    if (format != PictureFormat::Jpeg) {
        const QByteArray bytes = EncodePicture(scene, size, format);
        if (bytes.isEmpty())
            return Failure(path, "the picture could not be encoded");
        return WriteBytes(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                          path);
    }
    const QImage image = RenderPicture(scene, size);
    cDIBSection bitmap;
    bitmap.CreateFromPicture(PixelRows{image.constBits(), image.width(), image.height(),
                                       static_cast<int>(image.bytesPerLine())});
    if (SaveJpeg(bitmap, SystemPath(path), kJpegQuality))
        return {};
    return Failure(path, LastJpegError().reason);
}

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
    if (const QString failure = SavePicture(scene, m_state->picture->PictureSize(), picture);
        !failure.isEmpty()) {
        return QStringLiteral("picture not written: ") + failure;
    }
    if (const QString failure = WriteBytes(ResultsFileText(), results); !failure.isEmpty()) {
        return QStringLiteral("picture written, results not written: ") + failure;
    }
    // Both files are written, and the results say so: a batch run still fails, since nothing
    // of the interval could be evaluated.
    if (const int16_t code = m_state->document.Roots().failure; code != 0)
        return QStringLiteral("no value of f on the interval: ") + QDir::toNativeSeparators(named) +
               QStringLiteral(": ") + QString::fromStdString(ErrorText(code));
    return {};
}

} // namespace zv

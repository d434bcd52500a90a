// Saving a graph window: the plot as a JPEG file and the results as a text file beside it.
#include "graph/graphwindow.h"

#include "engine/errortext.h"
#include "export/atomicfile.h"
#include "export/dibsection.h"
#include "export/jpegwriter.h"
#include "graph/graphwindowprivate.h"
#include "graph/plotarea.h"
#include "graph/resultstext.h"
#include "ui/messagebox.h"
#include "ui/messagetextq.h"
#include "ui/savedialog.h"
#include "ui/systempath.h"

#include <QAction>
#include <QDir>
#include <QListWidget>

#include <vector>

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

// Writes picture as a JPEG file. Returns the failure, or empty.
QString SavePicture(const QImage &picture, const QString &path)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    cDIBSection bitmap;
    bitmap.CreateFromPicture(PixelRows{image.constBits(), image.width(), image.height(),
                                       static_cast<int>(image.bytesPerLine())});
    if (SaveJpeg(bitmap, SystemPath(path), kJpegQuality))
        return {};
    return Failure(path, LastJpegError().reason);
}

QString SaveResults(const std::string &text, const QString &path)
{
    const std::string failure = WriteFileAtomically(SystemPath(path), text);
    return failure.empty() ? QString() : Failure(path, failure);
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
    const QListWidget &list = *m_state->lstRoot;
    std::vector<std::u16string> lines;
    lines.reserve(static_cast<size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i)
        lines.push_back(list.item(i)->text().toStdU16String());
    // The interval is written with the separator the window shows its numbers with.
    return ResultsText(m_state->fText.toStdU16String(), m_state->a, m_state->b, lines,
                       DecimalSeparator(), m_state->scanError);
}

QImage GraphWindow::SavedPicture() const
{
    return m_state->picture->FramedImage();
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
    QString filter = MessageTextQ(20);
    int filterIndex = 1;
    int flags = kSaveDialogFlags;
    if (!ShowSaveDialog(fileName, fileTitle, true, filter, filterIndex, QString(), MessageTextQ(21),
                        QString::fromLatin1(kJpegExtension), this, flags)) {
        return;
    }
    PlotArea &picture = *m_state->picture;
    picture.TakePresentImageAsBackground();
    const QString pictureFailure = SavePicture(picture.FramedImage(), fileName);
    // Later drawings, and later pictures, show a plain background.
    picture.RemoveBackgroundPicture();
    DrawGraph();
    const QString resultsPath = fileName + QStringLiteral(".txt");
    const QString resultsFailure = SaveResults(ResultsFileText(), resultsPath);
    if (!pictureFailure.isEmpty() || !resultsFailure.isEmpty()) {
        ShowMessage(this, PairFailure(pictureFailure, resultsFailure, resultsPath), MessageTextQ(9),
                    MessageIcon::Exclamation);
    }
}

QString GraphWindow::auto_save(const QString &si)
{
    PlotArea &picture = *m_state->picture;
    picture.TakePresentImageAsBackground();
    if (const QString failure = SavePicture(picture.FramedImage(), si + QStringLiteral(".jpg"));
        !failure.isEmpty()) {
        return QStringLiteral("picture not written: ") + failure;
    }
    if (const QString failure = SaveResults(ResultsFileText(), si + QStringLiteral(".txt"));
        !failure.isEmpty()) {
        return QStringLiteral("picture written, results not written: ") + failure;
    }
    // Both files are written, and the results say so: a batch run still fails, since nothing
    // of the interval could be evaluated.
    if (m_state->scanError != 0)
        return QStringLiteral("no value of f on the interval: ") + QDir::toNativeSeparators(si) +
               QStringLiteral(": ") + QString::fromStdString(ErrorText(m_state->scanError));
    return {};
}

} // namespace zv

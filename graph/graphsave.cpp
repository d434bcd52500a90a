// Saving a graph window: the plot as a JPEG file and the results as a text file beside it.
#include "graph/graphwindow.h"

#include "export/atomicfile.h"
#include "export/dibsection.h"
#include "export/jpegwriter.h"
#include "graph/plotarea.h"
#include "graph/resultstext.h"
#include "ui/messagebox.h"
#include "ui/messagetextq.h"
#include "ui/savedialog.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QLocale>

#include <vector>

namespace zv {

namespace {

constexpr int kJpegQuality = 100;
const char *const kJpegExtension = "JPG";
constexpr int kSaveDialogFlags = 3;

std::string SystemPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

QString Failure(const QString &path, const std::string &reason)
{
    return QDir::toNativeSeparators(path) + QStringLiteral(": ") + QString::fromLocal8Bit(reason);
}

// The plot area's picture becomes the present image (the background with the drawing on it),
// which is written as a JPEG file. Returns the failure, or empty.
QString SavePicture(PlotArea &picture, const QString &path)
{
    picture.TakePresentImageAsBackground();
    const QImage image = picture.BackgroundPicture().convertToFormat(QImage::Format_RGB32);
    cDIBSection bitmap;
    bitmap.CreateFromPicture(PixelRows{image.constBits(), image.width(), image.height(),
                                       static_cast<int>(image.bytesPerLine())});
    if (SaveJpeg(bitmap, SystemPath(path), kJpegQuality))
        return {};
    return Failure(path, LastJpegError().reason);
}

QString SaveResults(const GraphWindow &window, const QListWidget &list, const QString &path)
{
    std::vector<std::u16string> lines;
    lines.reserve(static_cast<size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i)
        lines.push_back(list.item(i)->text().toStdU16String());
    // The interval is written with the separator the window shows its numbers with.
    const QString point = QLocale().decimalPoint();
    const std::string text =
        ResultsText(window.Get_f().toStdU16String(), window.Get_a(), window.Get_b(), lines,
                    point.isEmpty() ? u'.' : point.at(0).unicode());
    const std::string failure = WriteFileAtomically(SystemPath(path), text);
    return failure.empty() ? QString() : Failure(path, failure);
}

} // namespace

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
    auto *picture = findChild<PlotArea *>(QStringLiteral("Picture1"));
    auto *list = findChild<QListWidget *>(QStringLiteral("LstRoot"));
    if (picture == nullptr || list == nullptr)
        return;

    QStringList failures;
    if (const QString failure = SavePicture(*picture, fileName); !failure.isEmpty())
        failures << failure;
    // Later drawings, and later pictures, show a plain background.
    picture->RemoveBackgroundPicture();
    DrawGraph();
    if (const QString failure = SaveResults(*this, *list, fileName + QStringLiteral(".txt"));
        !failure.isEmpty()) {
        failures << failure;
    }
    if (!failures.isEmpty()) {
        ShowMessage(this, MessageTextQ(22) + QStringLiteral("\n\n") + failures.join('\n'),
                    MessageTextQ(9), MessageIcon::Exclamation);
    }
}

QString GraphWindow::auto_save(const QString &si)
{
    auto *picture = findChild<PlotArea *>(QStringLiteral("Picture1"));
    auto *list = findChild<QListWidget *>(QStringLiteral("LstRoot"));
    if (picture == nullptr || list == nullptr)
        return QStringLiteral("picture not written: the window has no plot");
    if (const QString failure = SavePicture(*picture, si + QStringLiteral(".jpg"));
        !failure.isEmpty()) {
        return QStringLiteral("picture not written: ") + failure;
    }
    if (const QString failure = SaveResults(*this, *list, si + QStringLiteral(".txt"));
        !failure.isEmpty()) {
        return QStringLiteral("results not written: ") + failure;
    }
    return {};
}

} // namespace zv

#include "graph/graphwindow.h"
#include "graph/plotarea.h"
#include "ui/messagetextq.h"

#include "tests/support/messagerecorder.h"
#include "tests/support/scratch.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zv {
namespace {

const std::string kResults = "x^2-4 = 0\r\n[-3 ; 3]\r\n\r\n 2 roots : \r\n-2\r\n2\r\n\r\n"
                             "Solved graphically with Zerovane 1.0\r\n";

std::string Content(const QString &path)
{
    return test::ReadFile(path.toStdString());
}

// Counts the pixels of the bottom-right corner where the background picture carries the
// product's name in light blue (the curve of x^2-4 on [-3; 3] never comes there), or of the
// whole picture that are red.
int Count(const QImage &image, bool tintedCorner)
{
    int count = 0;
    for (int y = tintedCorner ? image.height() - 30 : 0; y < image.height(); ++y) {
        for (int x = tintedCorner ? image.width() - 90 : 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += tintedCorner ? qBlue(p) - qRed(p) > 12
                                  : qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80;
        }
    }
    return count;
}

struct Saving
{
    void Save(const QString &path) // an empty path cancels the dialog
    {
        recorder.chosenFile = path;
        recorder.messages.clear();
        window.findChild<QAction *>(QStringLiteral("bSave"))->trigger();
    }
    const PlotArea &Picture() const { return *window.findChild<PlotArea *>("Picture1"); }

    QTemporaryDir dir;
    test::Recorder recorder;
    GraphWindow window{GraphEquation{QStringLiteral("x^2-4"), -3, 3}};
};

TEST(GraphSave, TheSaveButtonWritesThePictureAndTheResultsThenDrawsOnPlainWhite)
{
    Saving s;
    s.Save({}); // cancelled: nothing written, the background stays
    EXPECT_TRUE(QDir(s.dir.path()).isEmpty());
    EXPECT_GT(Count(s.Picture().PresentImage(), true), 20);

    s.Save(s.dir.filePath("graph.JPG"));
    ASSERT_EQ(s.recorder.dialogs.size(), 2);
    const FileDialogRequest &dialog = s.recorder.dialogs[1];
    EXPECT_EQ(dialog.mode, FileDialogMode::Save);
    EXPECT_EQ(QStringList({dialog.title, dialog.filter, dialog.defaultSuffix}),
              QStringList({MessageTextQ(21), MessageTextQ(20), "JPG"}));
    EXPECT_TRUE(dialog.confirmOverwrite);
    EXPECT_TRUE(s.recorder.messages.isEmpty());
    const QImage first(s.dir.filePath("graph.JPG"));
    ASSERT_EQ(first.size(), QSize(PlotArea::kOuterSize, PlotArea::kOuterSize));
    EXPECT_GT(Count(first, false), 100);
    EXPECT_GT(Count(first, true), 20); // the background picture is in it
    EXPECT_EQ(Content(s.dir.filePath("graph.JPG.txt")), kResults);

    // The background picture is gone: the window, redrawn at once, and the next picture.
    EXPECT_EQ(Count(s.Picture().PresentImage(), true), 0);
    EXPECT_GT(Count(s.Picture().PresentImage(), false), 100);
    s.Save(s.dir.filePath("again.JPG"));
    EXPECT_EQ(Count(QImage(s.dir.filePath("again.JPG")), true), 0);
}

TEST(GraphSave, AFileThatCannotBeWrittenIsReportedOnceAndTheOtherIsStillWritten)
{
    Saving s;
    const std::tuple<const char *, bool> rows[] = {{"the picture on a full device", true},
                                                   {"the results where a folder stands", false}};
    for (const auto &[name, pictureFails] : rows) {
        SCOPED_TRACE(name);
        const QString path = s.dir.filePath(QString::fromLatin1(name) + ".JPG");
        ASSERT_TRUE(pictureFails ? QFile::link(QStringLiteral("/dev/full"), path)
                                 : QDir().mkdir(path + ".txt"));
        s.Save(path);
        ASSERT_EQ(s.recorder.messages.size(), 1);
        EXPECT_TRUE(s.recorder.messages[0].prompt.startsWith(MessageTextQ(22)));
        EXPECT_EQ(s.recorder.Boxes()[0].section('|', -2), MessageTextQ(9) + "|!");
        EXPECT_EQ(s.recorder.messages[0].prompt.contains("No space left on device"), pictureFails);
        EXPECT_EQ(s.recorder.messages[0].prompt.contains("Is a directory"), !pictureFails);
        EXPECT_EQ(QImage(path).width(), pictureFails ? 0 : PlotArea::kOuterSize);
        EXPECT_EQ(Content(path + ".txt") == kResults, pictureFails);
    }

    // On a full disk both fail, each is named in the one box, and the old files stay.
    const test::Folder full;
    if (!test::MountFullDisk(full.path, {{"g.JPG", "old picture"}, {"g.JPG.txt", "old results"}}))
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root and the right to mount)";
    const QString path = QString::fromStdString((full.path / "g.JPG").string());
    s.Save(path);
    const QString failure = QStringLiteral(": No space left on device");
    EXPECT_EQ(s.recorder.Boxes(),
              QStringList({MessageTextQ(22) + "\n\n" + path + failure + '\n' + path + ".txt" +
                           failure + '|' + MessageTextQ(9) + "|!"}));
    EXPECT_EQ(test::ReadFile(full.path / "g.JPG"), "old picture");
    EXPECT_EQ(test::ReadFile(full.path / "g.JPG.txt"), "old results");
}

// How a batch run reports a file it could not write is tested through the executable.
TEST(GraphSave, AutoSaveWritesBothFilesAndKeepsThePictureAsBackground)
{
    Saving s;
    EXPECT_EQ(s.window.auto_save(s.dir.filePath("eq.zvn")), QString());
    EXPECT_EQ(QImage(s.dir.filePath("eq.zvn.jpg")).width(), PlotArea::kOuterSize);
    EXPECT_EQ(Content(s.dir.filePath("eq.zvn.txt")), kResults);
    EXPECT_GT(Count(s.Picture().BackgroundPicture(), false), 100);
    EXPECT_GT(Count(s.Picture().BackgroundPicture(), true), 20);
    EXPECT_TRUE(s.recorder.messages.isEmpty());
}

} // namespace
} // namespace zv

#include "graph/resultstext.h"
#include "harness.h"
#include "tests/support/scratch.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>

namespace zv::test {
namespace {

const std::string kResults = "x^2-4 = 0\r\n[-3 ; 3]\r\n\r\n 2 roots : \r\n-2\r\n2\r\n\r\n"
                             "Solved graphically with Zerovane 1.0\r\n";

// The pixels of the bottom-right corner tinted light blue where the background picture carries
// the product's name (the curve never comes there), or the picture's red pixels.
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
        Control<QAction>(window, "bSave")->trigger();
    }
    QString Path(const QString &name) const { return dir.filePath(name); }
    std::string Text(const QString &name) const { return ReadFile(Path(name).toStdString()); }
    QImage Shown() const { return Picture(window)->PresentImage(); }

    QTemporaryDir dir;
    Recorder recorder;
    GraphWindow window{GraphEquation{QStringLiteral("x^2-4"), -3, 3}};
};

TEST(ResultsText, TheFileByteForByte)
{
    using Roots = std::vector<std::u16string>;
    Roots twelve; // a count of two digits
    for (int i = 1; i <= 12; ++i)
        twelve.push_back(QString::number(i).toStdU16String());
    // The ends rounded to 8 decimals, the roots in the list's order, the user's decimal comma.
    const std::tuple<const char16_t *, double, double, Roots, char16_t, QString> rows[] = {
        {u"x^2+1", -3, 3, {}, u'.', "[-3 ; 3]\n\nNo root."},
        {u"x-0.5", 0.123456789, 2.5, {u"0.5"}, u'.', "[0.12345679 ; 2.5]\n\n One root :\n0.5"},
        {u"x^2-4", -3, 3, {u"2", u"-2"}, u'.', "[-3 ; 3]\n\n 2 roots : \n2\n-2"},
        {u"sin(x)", -1, 36, twelve, u'.',
         "[-1 ; 36]\n\n 12 roots : \n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12"},
        {u"x-1,5", 1.25, 7.000000004, {u"1,5"}, u',', "[1,25 ; 7]\n\n One root :\n1,5"}};
    for (const auto &[function, a, b, roots, separator, text] : rows) {
        const QString file = QString::fromStdU16String(function) + " = 0\n" + text +
                             "\n\nSolved graphically with Zerovane 1.0\n";
        EXPECT_EQ(ResultsText(function, a, b, roots, separator),
                  QString(file).replace("\n", "\r\n").toStdString());
    }
}

TEST(GraphSave, TheButtonAndABatchSaveWriteBothFilesThenTheButtonDrawsOnPlainWhite)
{
    Saving s;
    s.Save({}); // cancelled: nothing written, the background stays
    EXPECT_TRUE(QDir(s.dir.path()).isEmpty());
    EXPECT_GT(Count(s.Shown(), true), 20);

    s.Save(s.Path("graph.JPG"));
    ASSERT_EQ(s.recorder.dialogs.size(), 2);
    const FileDialogRequest &dialog = s.recorder.dialogs[1];
    EXPECT_EQ(std::pair(dialog.mode, dialog.confirmOverwrite),
              std::pair(FileDialogMode::Save, true));
    EXPECT_EQ(QStringList({dialog.title, dialog.filter, dialog.defaultSuffix}),
              QStringList({MessageTextQ(21), MessageTextQ(20), "JPG"}));
    EXPECT_TRUE(s.recorder.messages.isEmpty());
    const QImage first(s.Path("graph.JPG"));
    ASSERT_EQ(first.size(), QSize(PlotArea::kOuterSize, PlotArea::kOuterSize));
    EXPECT_GT(Count(first, false), 100);
    EXPECT_GT(Count(first, true), 20); // the background picture is in it
    EXPECT_EQ(s.Text("graph.JPG.txt"), kResults);

    // The background picture is gone from the window, redrawn at once.
    EXPECT_EQ(Count(s.Shown(), true), 0);
    EXPECT_GT(Count(s.Shown(), false), 100);

    // A batch save (whose failures are tested through the executable) keeps the picture as the
    // background.
    EXPECT_EQ(s.window.auto_save(s.Path("eq.zvn")), QString());
    EXPECT_EQ(s.Text("eq.zvn.txt"), kResults);
    EXPECT_GT(Count(Picture(s.window)->BackgroundPicture(), false), 100);
}

TEST(GraphSave, AFileThatCannotBeWrittenIsReportedOnceAndTheOtherIsStillWritten)
{
    Saving s;
    const std::tuple<const char *, bool> rows[] = {{"the picture on a full device", true},
                                                   {"the results where a folder stands", false}};
    for (const auto &[name, pictureFails] : rows) {
        SCOPED_TRACE(name);
        const QString path = s.Path(QString::fromLatin1(name) + ".JPG");
        ASSERT_TRUE(pictureFails ? QFile::link(QStringLiteral("/dev/full"), path)
                                 : QDir().mkdir(path + ".txt"));
        s.Save(path);
        const QString failed =
            pictureFails ? path + ": No space left on device" : path + ".txt: Is a directory";
        EXPECT_EQ(s.recorder.Boxes(),
                  QStringList({MessageTextQ(22) + "\n\n" + failed + '|' + MessageTextQ(9) + "|!"}));
        EXPECT_EQ(QImage(path).width(), pictureFails ? 0 : PlotArea::kOuterSize);
        EXPECT_EQ(ReadFile((path + ".txt").toStdString()) == kResults, pictureFails);
    }

    // On a full disk both fail, each is named in the one box, and the old files stay.
    const Folder full;
    if (!MountFullDisk(full.path, {{"g.JPG", "old picture"}, {"g.JPG.txt", "old results"}}))
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root and the right to mount)";
    const QString path = QString::fromStdString((full.path / "g.JPG").string());
    s.Save(path);
    const QString failure = QStringLiteral(": No space left on device");
    EXPECT_EQ(s.recorder.Boxes(),
              QStringList({MessageTextQ(22) + "\n\n" + path + failure + '\n' + path + ".txt" +
                           failure + '|' + MessageTextQ(9) + "|!"}));
    EXPECT_EQ(ReadFile(full.path / "g.JPG"), "old picture");
    EXPECT_EQ(ReadFile(full.path / "g.JPG.txt"), "old results");
}

// Ctrl+C, or Copy from the context menus of the list and the plot, puts on the clipboard the
// picture and the results text exactly as a save writes them (with the platform's line ends).
TEST(GraphCopy, PutsThePictureAndTheResultsAsASaveWritesThem)
{
    const auto window = Show(QStringLiteral("x^2-4"), -3, 3);
    QWidget *list = Control(*window, "LstRoot");
    list->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    const QMimeData *data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasImage());
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image, window->SavedPicture().convertToFormat(image.format()));
    const QString text = QString::fromStdString(window->ResultsFileText()).replace("\r\n", "\n");
    EXPECT_EQ(data->text(), text);
    for (QWidget *widget : {list, static_cast<QWidget *>(Picture(*window))}) {
        ASSERT_EQ(widget->contextMenuPolicy(), Qt::ActionsContextMenu);
        ASSERT_EQ(widget->actions().size(), 1);
        QApplication::clipboard()->clear();
        widget->actions()[0]->trigger();
        EXPECT_EQ(QApplication::clipboard()->text(), text) << widget->objectName().toStdString();
    }
}

} // namespace
} // namespace zv::test

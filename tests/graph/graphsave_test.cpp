#include "graph/graphwindow.h"
#include "graph/plotarea.h"
#include "texts/messagetexts.h"

#include "tests/support/messagerecorder.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace zv {
namespace {

const QByteArray kResults = "x^2-4 = 0\r\n[-3 ; 3]\r\n\r\n 2 roots : \r\n-2\r\n2\r\n\r\n"
                            "Solved graphically with Zerovane 1.0\r\n";

QByteArray Content(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Pixels of the corner where the background picture carries the product's name in light blue;
// the curve of x^2-4 on [-3; 3] never comes there.
int TintedCornerPixels(const QImage &image)
{
    int tinted = 0;
    for (int y = image.height() - 30; y < image.height(); ++y) {
        for (int x = image.width() - 90; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            tinted += qBlue(pixel) - qRed(pixel) > 12 ? 1 : 0;
        }
    }
    return tinted;
}

int RedPixels(const QImage &image)
{
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            red += qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80 ? 1 : 0;
        }
    }
    return red;
}

class GraphSaveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_window = std::make_unique<GraphWindow>(GraphEquation{QStringLiteral("x^2-4"), -3, 3});
    }
    QString Path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    void Save(const char *name)
    {
        m_recorder.chosenFile = name != nullptr ? Path(name) : QString();
        QAction *save = m_window->findChild<QAction *>(QStringLiteral("bSave"));
        ASSERT_NE(save, nullptr);
        ASSERT_TRUE(save->isEnabled());
        save->trigger();
    }
    const PlotArea &Picture() const { return *m_window->findChild<PlotArea *>("Picture1"); }

    QTemporaryDir m_dir;
    test::Recorder m_recorder;
    std::unique_ptr<GraphWindow> m_window;
};

TEST_F(GraphSaveTest, TheSaveButtonWritesThePictureAndTheResultsThenDrawsOnPlainWhite)
{
    Save("graph.JPG");
    ASSERT_EQ(m_recorder.dialogs.size(), 1);
    const FileDialogRequest &dialog = m_recorder.dialogs[0];
    EXPECT_EQ(dialog.mode, FileDialogMode::Save);
    EXPECT_EQ(dialog.title.toStdString(), MessageText(21));
    EXPECT_EQ(dialog.filter.toStdString(), MessageText(20));
    EXPECT_EQ(dialog.defaultSuffix, QStringLiteral("JPG"));
    EXPECT_TRUE(dialog.confirmOverwrite);
    EXPECT_TRUE(m_recorder.messages.isEmpty());

    const QImage first(Path("graph.JPG"));
    ASSERT_EQ(first.size(), QSize(PlotArea::kOuterSize, PlotArea::kOuterSize));
    EXPECT_GT(RedPixels(first), 100);
    EXPECT_GT(TintedCornerPixels(first), 20); // the background picture is in it
    EXPECT_EQ(Content(Path("graph.JPG.txt")), kResults);

    // The background picture is gone: the window and the next picture show plain white.
    EXPECT_EQ(TintedCornerPixels(Picture().PresentImage()), 0);
    EXPECT_GT(RedPixels(Picture().PresentImage()), 100); // redrawn at once
    Save("again.JPG");
    const QImage second(Path("again.JPG"));
    EXPECT_GT(RedPixels(second), 100);
    EXPECT_EQ(TintedCornerPixels(second), 0);
}

TEST_F(GraphSaveTest, CancellingTheDialogChangesNothing)
{
    Save(nullptr);
    EXPECT_EQ(m_recorder.dialogs.size(), 1);
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
    EXPECT_GT(TintedCornerPixels(Picture().PresentImage()), 20);
}

TEST_F(GraphSaveTest, AFileThatCannotBeWrittenIsReportedOnceAndTheOtherIsStillWritten)
{
    struct Row
    {
        const char *name;
        bool pictureFails;
        bool resultsFail;
    };
    const Row rows[] = {
        {"the picture on a full device", true, false},
        {"the results where a folder stands", false, true},
        {"both", true, true},
    };
    int index = 0;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QString name = QStringLiteral("g%1.JPG").arg(++index);
        const QString path = m_dir.filePath(name);
        if (row.pictureFails) {
            ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), path));
        }
        if (row.resultsFail) {
            ASSERT_TRUE(QDir(m_dir.path()).mkdir(name + QStringLiteral(".txt")));
        }
        m_recorder.messages.clear();
        Save(name.toLatin1().constData());

        ASSERT_EQ(m_recorder.messages.size(), 1);
        const MessageRequest &box = m_recorder.messages[0];
        EXPECT_TRUE(box.prompt.startsWith(QString::fromStdString(MessageText(22))));
        EXPECT_EQ(box.title.toStdString(), MessageText(9));
        EXPECT_EQ(box.icon, MessageIcon::Exclamation);
        EXPECT_EQ(box.prompt.contains(QStringLiteral("No space left on device")), row.pictureFails);
        EXPECT_EQ(box.prompt.contains(QStringLiteral("Is a directory")), row.resultsFail);
        if (!row.pictureFails) {
            EXPECT_EQ(QImage(path).width(), PlotArea::kOuterSize);
        }
        if (!row.resultsFail) {
            EXPECT_EQ(Content(path + QStringLiteral(".txt")), kResults);
        }
    }
}

TEST_F(GraphSaveTest, AutoSaveWritesBothFilesAndKeepsThePictureAsBackground)
{
    EXPECT_EQ(m_window->auto_save(Path("eq.zvn")), QString());
    EXPECT_EQ(QImage(Path("eq.zvn.jpg")).width(), PlotArea::kOuterSize);
    EXPECT_EQ(Content(Path("eq.zvn.txt")), kResults);
    EXPECT_GT(RedPixels(Picture().BackgroundPicture()), 100);
    EXPECT_GT(TintedCornerPixels(Picture().BackgroundPicture()), 20);
    EXPECT_TRUE(m_recorder.messages.isEmpty());

    // Without its picture nothing more is written; the failure is told, not shown.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), Path("full.jpg")));
    const QString failure = m_window->auto_save(Path("full"));
    EXPECT_TRUE(failure.startsWith(QStringLiteral("picture not written: ") + Path("full.jpg")))
        << failure.toStdString();
    EXPECT_FALSE(QFile::exists(Path("full.txt")));

    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("dir.txt")));
    EXPECT_EQ(m_window->auto_save(Path("dir")), QStringLiteral("results not written: ") +
                                                    Path("dir.txt") +
                                                    QStringLiteral(": Is a directory"));
    EXPECT_TRUE(m_recorder.messages.isEmpty());
}

} // namespace
} // namespace zv

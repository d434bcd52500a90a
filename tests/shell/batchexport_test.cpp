#include "shell/mainwindow.h"
#include "shell/pendinggraph.h"
#include "shell/startup.h"
#include "texts/messagetexts.h"

#include "tests/support/messagerecorder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(BatchExport, IsAskedForByMinusXAndABlank)
{
    EXPECT_TRUE(IsBatchCommandLine(QStringLiteral("-x /p/eq.zvn")));
    EXPECT_TRUE(IsBatchCommandLine(JoinCommandLine({"zerovane", "-x", "/p/eq.zvn"})));
    EXPECT_FALSE(IsBatchCommandLine(QStringLiteral("-x/p/eq.zvn"))); // a project path
    EXPECT_FALSE(IsBatchCommandLine(QStringLiteral("/p/-x eq.zvn")));
    EXPECT_FALSE(IsBatchCommandLine(QStringLiteral("-x")));
}

TEST(BatchExport, WritesThePictureAndTheResultsBesideTheProjectAndEnds)
{
    test::Recorder recorder;
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("my eq.zvn"));
    QFile::copy(QStringLiteral(ZV_EXAMPLES_DIR "/sample1.zvn"), project);
    GraphWindowCount() = 0;

    MainWindow main;
    int status = -1;
    // Quoted as a user may type it; the quotes are dropped.
    EXPECT_FALSE(StartUp(main, {"zerovane", "-x", '"' + project + '"'}, &status));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(QImage(project + QStringLiteral(".jpg")).size(), QSize(321, 321));
    QFile results(project + QStringLiteral(".txt"));
    ASSERT_TRUE(results.open(QIODevice::ReadOnly));
    EXPECT_TRUE(results.readAll().startsWith("3^x-x^3 = 0\r\n[0 ; 6]\r\n\r\n 2 roots : \r\n"));
    // No question, no help check, and nothing shown.
    EXPECT_TRUE(recorder.messages.isEmpty());
    EXPECT_TRUE(recorder.dialogs.isEmpty());
    EXPECT_FALSE(main.isVisible());
    ASSERT_EQ(main.mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(main.mdiArea()->subWindowList()[0]->widget()->windowTitle(),
              QStringLiteral("Zerovane #1"));
}

TEST(BatchExport, AProjectThatCannotBeReadEndsWithStatusOneAndWritesNothing)
{
    test::Recorder recorder;
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.zvn"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\"Zerovane\"\r\n\"x^^2\"\r\n\" 0\"\r\n\" 1\"\r\n");
    file.close();

    for (const QString &path : {bad, dir.filePath(QStringLiteral("absent.zvn"))}) {
        SCOPED_TRACE(path.toStdString());
        recorder.messages.clear();
        MainWindow main;
        int status = -1;
        EXPECT_FALSE(StartUp(main, {"zerovane", "-x", path}, &status));
        EXPECT_EQ(status, 1);
        // Where a display exists the reader's message is shown, and only that.
        ASSERT_EQ(recorder.messages.size(), 1);
        EXPECT_EQ(recorder.messages[0].prompt.toStdString(), MessageText(path == bad ? 6 : 7));
        EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"bad.zvn"}));
}

} // namespace
} // namespace zv

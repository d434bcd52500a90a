// What a batch run writes and prints is tested through the executable (tests/app); here what
// the shell decides on the way.
#include "shell/startup.h"
#include "ui/messagetextq.h"

#include "shell.h"

#include <QFile>
#include <QImage>
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

// The quotes a user may type are dropped; nothing is shown, no help check, no question. Where a
// display exists an unreadable project shows the reader's message, and only that.
TEST(BatchExport, WritesBesideTheProjectHiddenOrEndsWithStatusOneAfterTheReadersMessage)
{
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("my eq.zvn"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZV_EXAMPLES_DIR "/sample1.zvn"), project));
    for (const QString &path : {'"' + project + '"', dir.filePath("absent.zvn")}) {
        SCOPED_TRACE(path.toStdString());
        const bool good = path.startsWith('"');
        test::Shell shell;
        int status = -1;
        EXPECT_FALSE(StartUp(shell.main, {"zerovane", "-x", path}, &status));
        EXPECT_EQ(status, good ? 0 : 1);
        EXPECT_FALSE(shell.main.isVisible());
        EXPECT_EQ(shell.Titles(), good ? QStringList({"Zerovane #1"}) : QStringList());
        EXPECT_TRUE(shell.recorder.dialogs.isEmpty());
        EXPECT_EQ(shell.recorder.Boxes(),
                  good ? QStringList()
                       : QStringList({MessageTextQ(7) + "|" +
                                      shell.recorder.messages.value(0).title + "|!"}));
    }
    EXPECT_EQ(QImage(project + ".jpg").size(), QSize(321, 321));
    EXPECT_TRUE(QFile::exists(project + ".txt"));
}

} // namespace
} // namespace zv

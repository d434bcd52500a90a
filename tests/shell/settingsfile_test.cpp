#include "shell.h"
#include "shell/appearance.h"
#include "shell/settingsfile.h"

#include "tests/support/cases.h"
#include "tests/support/scratch.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(SettingsFile, SetsTheKeysAndKeepsEveryOtherLine)
{
    const SettingsValues values = {{"Background", " 0"}, {"ForeItem", "-1"}};
    const std::tuple<const char *, std::string_view, std::string_view> rows[] = {
        {"NewFile", "", "[Settings]\nBackground=\" 0\"\nForeItem=-1\n"},
        {"ReplacedInPlace", "[Settings]\nForeItem=3\nOther=x\nBackground=\" 15\"\n",
         "[Settings]\nForeItem=-1\nOther=x\nBackground=\" 0\"\n"},
        {"MissingKeyEndsItsGroup", "[Settings]\nForeItem=3\n\n[Next]\nBackground=7",
         "[Settings]\nForeItem=-1\nBackground=\" 0\"\n\n[Next]\nBackground=7\n"},
        {"GroupAdded", "[General]\nKey=1\n",
         "[General]\nKey=1\n\n[Settings]\nBackground=\" 0\"\nForeItem=-1\n"},
        {"DuplicateKeyKeptOnce", "[Settings]\r\nForeItem = 2\r\nForeItem=9\r\n",
         "[Settings]\r\nForeItem=-1\nBackground=\" 0\"\n"},
    };
    test::ForEachCase(rows, [&](auto, std::string_view old, std::string_view want) {
        EXPECT_EQ(SetIniValues(old, "Settings", values), want);
    });
}

// The settings folder fills up: the menu's choice holds for this session and says why it could
// not be kept; the stored theme stays. (Read back after a good write: the appearance test.)
TEST(SettingsFile, AChoiceThatCannotBeWrittenIsReportedAndKeepsTheOldFile)
{
    const QString path =
        QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane")).fileName();
    const test::fs::path folder = QFile::encodeName(QFileInfo(path).absolutePath()).toStdString();
    const std::string old = "[Settings]\nForeItem=\" 2\"\n";
    test::fs::create_directories(folder);
    if (!test::MountFullDisk(folder, {{"Zerovane.conf", old}}))
        GTEST_SKIP() << "mounting a small file system needs root";
    {
        test::Shell shell;
        shell.main.LoadAppearance();
        shell.main.themeEntry(1)->trigger();
        EXPECT_EQ(ForeItem(), 1);
        ASSERT_EQ(shell.recorder.messages.size(), 1);
        EXPECT_EQ(shell.recorder.messages[0].prompt, QStringLiteral("No space left on device"));
        EXPECT_EQ(test::ReadFile(path.toStdString()), old);
    }
    ::umount2(folder.c_str(), MNT_DETACH);
}

} // namespace
} // namespace zv

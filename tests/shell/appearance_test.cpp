#include "shell/appearance.h"
#include "shell/settingsfile.h"
#include "shell/startup.h"
#include "tools/xpert.h"
#include "ui/cursoricons.h"

#include "shell.h"
#include "tests/support/cases.h"
#include "tests/support/scratch.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <gtest/gtest.h>

#include <cmath>

namespace zv {
namespace {

// A key of the store as text, or a null string when it is absent.
QString Stored(const char *key)
{
    const QVariant value = QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane"))
                               .value(QStringLiteral("Settings/") + QLatin1String(key));
    return value.isValid() ? value.toString() : QString();
}

void SetInForce(int16_t theme, int32_t background, int32_t foreground)
{
    ForeItem() = theme;
    Background() = background;
    Foreground() = foreground;
}

TEST(StoredValues, ReadAsTheLongestLeadingNumberRoundedToTheKeysWidth)
{
    const std::tuple<const char *, int, bool, int32_t> rows[] = {
        // Signed and blank-led numbers: the themes' read-back below.
        {"not a number", 32, false, -1}, // a damaged store keeps the value
        {"nan", 32, false, -1},
        {"", 16, false, -1},
        {" .5e1", 16, true, 5},
        {"3junk", 16, true, 3},
        {"2.5", 16, true, 2}, // ties to even
        {"3.5", 16, true, 4},
        {"32767", 16, true, 32767},
        {"32768", 16, false, -1},
        {"2147483648", 32, false, -1},
        {"-1E+999", 32, false, -1}, // infinity
    };
    for (const auto &[text, bits, fits, expected] : rows) {
        int32_t value = -1;
        EXPECT_EQ(ReadStoredInteger(QString::fromLatin1(text), bits, value), fits) << text;
        EXPECT_EQ(value, expected) << text;
    }
}

TEST(Appearance, EachChosenThemeIsStoredAndReadBackAndTheThemeInForceWritesNothing)
{
    QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane")).clear();
    SetInForce(3, 0xE2E2E8, 0);
    for (int k : {3, 0, 6})
        EXPECT_FALSE(ChooseTheme(k)) << k;
    EXPECT_EQ(QString::number(ForeItem()) + ' ' + QString::number(Background(), 16), "3 e2e2e8");
    EXPECT_TRUE(Stored("ForeItem").isNull());

    const std::tuple<int, const char *, const char *, QColor, QColor> rows[] = {
        {1, " 15711881", " 0", QColor(137, 190, 239), Qt::black},
        {4, "-2147483635", " 16777215", QApplication::palette().color(QPalette::Highlight),
         Qt::white},
        {5, " 0", " 16777215", Qt::black, Qt::white}};
    for (const auto &[theme, background, foreground, back, fore] : rows) {
        SCOPED_TRACE(theme);
        SetInForce(static_cast<int16_t>(theme == 1 ? 2 : 1), 1, 1);
        ASSERT_TRUE(ChooseTheme(theme));
        EXPECT_EQ(Stored("Background") + '|' + Stored("Foreground") + '|' + Stored("ForeItem"),
                  QStringLiteral("%1|%2| %3").arg(background, foreground).arg(theme));
        SetInForce(0, 1, 1);
        LoadAppearanceSettings();
        const ThemeColours colours = CurrentThemeColours();
        EXPECT_EQ(std::tuple(int(ForeItem()), colours.background, colours.foreground),
                  std::tuple(theme, back, fore));
    }
}

// Each test runs in a process of its own under CTest, so nothing has loaded the cursors before.
TEST(StartUp, ShowsTheWizardInTheStoredThemeReadableWhateverTheStoreHolds)
{
    // The whole settings file, then the theme entry checked afterwards (0 for none).
    const std::tuple<const char *, std::string, int> rows[] = {
        {"as written", "[Settings]\nForeItem=\" 3\"\n", 3},
        {"binary garbage", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18), 4},
        {"garbage values", "[Settings]\nBackground=blue\nForeground=\"\"\nForeItem=nan\n", 4},
        {"ForeItem 0", "[Settings]\nBackground=0\nForeground=16777215\nForeItem=0\n", 0},
        {"ForeItem 7", "[Settings]\nBackground=15711881\nForeground=0\nForeItem=7\n", 0},
        {"ForeItem -1", "[Settings]\nForeItem=-1\n", 0},
        {"text as dark as its background", "[Settings]\nBackground=0\nForeground=1\nForeItem=5\n",
         5},
    };
    const test::fs::path file =
        QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane")).fileName().toStdString();
    test::ForEachCase(rows, [&file](auto, const std::string &store, int checked) {
        test::Shell shell; // empties the store first
        test::fs::create_directories(file.parent_path());
        test::WriteFile(file, store);
        QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane")).sync();
        SetInForce(4, kSystemHighlight, 0xFFFFFF); // the theme in force at a program's start
        ASSERT_TRUE(StartUp(shell.main, {"zerovane"}));
        EXPECT_TRUE(shell.main.isVisible());
        EXPECT_EQ(shell.Titles(), QStringList({"Zerovane Wizard - Step 1 of 4"}));
        for (int k = 1; k <= kThemeCount; ++k)
            EXPECT_EQ(shell.main.themeEntry(k)->isChecked(), k == checked) << k;
        // The wizard's first step as the user reads it, on the frame behind it: light text on a
        // dark ground or the other way round, far enough apart to read.
        const auto *label = shell.main.Wizard()->findChild<QLabel *>(QStringLiteral("lblStep0"));
        const QWidget *behind = label->parentWidget();
        while (!behind->autoFillBackground() && !behind->isWindow())
            behind = behind->parentWidget();
        EXPECT_GE(std::abs(label->palette().color(QPalette::WindowText).lightness() -
                           behind->palette().color(QPalette::Window).lightness()),
                  96);
    });
    EXPECT_EQ(CursorIcon(kFirstCursorIcon).shape(), Qt::BitmapCursor); // loaded at start-up
}

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

// The settings folder fills up: the menu's choice holds for this session, says why it could not
// be kept and leaves the stored file (the read-back after a good write is the appearance test's).
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

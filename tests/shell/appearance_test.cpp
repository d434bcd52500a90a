#include "shell/appearance.h"
#include "shell/settingsfile.h"
#include "shell/startup.h"
#include "shell/storedsettings.h"
#include "tools/xpert.h"
#include "ui/cursoricons.h"
#include "ui/themepalette.h"

#include "shell.h"
#include "tests/support/cases.h"
#include "tests/support/scratch.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

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
    for (int k : {3, 0, 7})
        EXPECT_FALSE(ChooseTheme(k)) << k;
    EXPECT_EQ(QString::number(ForeItem()) + ' ' + QString::number(Background(), 16), "3 e2e2e8");
    EXPECT_TRUE(Stored("ForeItem").isNull());

    // The windows take the pairs made readable; the blue theme's is its highlight deepened, the
    // desktop's own holds as it is.
    const QPalette desktop = QApplication::palette();
    const std::tuple<int, const char *, const char *, QColor, QColor> rows[] = {
        {1, " 15711881", " 0", QColor(137, 190, 239), Qt::black},
        {4, "-2147483635", " 16777215",
         ReadableColours({desktop.color(QPalette::Highlight), Qt::white}).background, Qt::white},
        {5, " 0", " 16777215", Qt::black, Qt::white},
        {6, "-2147483633", "-2147483630", desktop.color(QPalette::Window),
         desktop.color(QPalette::WindowText)}};
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

enum class Store { kFile, kPipe, kLinkToZero, kFolder };

// Each test runs in a process of its own under CTest, so nothing has loaded the cursors before.
// Whatever stands in the settings file's place, the program comes up in a readable theme; what
// it cannot read (a pipe or device would hold or end it) gives the default theme and one box
// naming the file, and a theme change afterwards holds for the session, leaving the file alone.
TEST(StartUp, ShowsTheWizardInTheStoredThemeReadableWhateverTheStoreHolds)
{
    alarm(120); // a store that holds the program would otherwise hold the test for ever
    // What stands there and its content, then the theme entry checked afterwards (0 for none).
    const std::tuple<const char *, Store, std::string, int> rows[] = {
        {"as written", Store::kFile, "[Settings]\nForeItem=\" 3\"\n", 3},
        {"binary garbage", Store::kFile, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18),
         4},
        {"garbage values", Store::kFile,
         "[Settings]\nBackground=blue\nForeground=\"\"\nForeItem=nan\n", 4},
        {"ForeItem 0", Store::kFile, "[Settings]\nBackground=0\nForeground=16777215\nForeItem=0\n",
         0},
        {"ForeItem 7", Store::kFile, "[Settings]\nBackground=15711881\nForeground=0\nForeItem=7\n",
         0},
        {"ForeItem -1", Store::kFile, "[Settings]\nForeItem=-1\n", 0},
        {"text as dark as its background", Store::kFile,
         "[Settings]\nBackground=0\nForeground=1\nForeItem=5\n", 5},
        {"a file over the bound", Store::kFile,
         "[Settings]\nForeItem=3\n" + std::string(kMaxSettingsBytes, ';'), 4},
        {"a pipe", Store::kPipe, "", 4},
        {"a link to /dev/zero", Store::kLinkToZero, "", 4},
        {"a folder", Store::kFolder, "", 4},
    };
    const QString path = SettingsFilePath();
    const test::fs::path file = path.toStdString();
    test::ForEachCase(rows, [&](auto, Store store, const std::string &content, int checked) {
        test::Shell shell; // empties the store first
        test::fs::create_directories(file.parent_path());
        if (store == Store::kFile)
            test::WriteFile(file, content);
        ASSERT_TRUE(store != Store::kPipe || mkfifo(file.c_str(), 0600) == 0);
        if (store == Store::kLinkToZero)
            test::fs::create_symlink("/dev/zero", file);
        if (store == Store::kFolder)
            test::fs::create_directory(file);
        const bool readable = store == Store::kFile && content.size() < kMaxSettingsBytes;
        SetInForce(4, kSystemHighlight, 0xFFFFFF); // the theme in force at a program's start
        ASSERT_TRUE(StartUp(shell.main, {"zerovane"}));
        EXPECT_TRUE(shell.main.isVisible());
        EXPECT_EQ(shell.Titles(), QStringList({"Zerovane Wizard - Step 1 of 4"}));
        for (int k = 1; k <= kThemeCount; ++k)
            EXPECT_EQ(shell.main.themeEntry(k)->isChecked(), k == checked) << k;
        // The wizard's first step as the user reads it, on the frame behind it: light text on a
        // dark ground or the other way round, far enough apart to read.
        const auto *label = shell.main.Wizard()->findChild<QLabel *>(QStringLiteral("lblStep0"));
        EXPECT_GE(ContrastRatio(label->palette().color(QPalette::WindowText),
                                label->parentWidget()->palette().color(QPalette::Window)),
                  kTextContrast);
        const auto settingsBoxes = [&shell, &path] {
            return shell.recorder.Boxes().filter(QDir::toNativeSeparators(path)).size();
        };
        EXPECT_EQ(settingsBoxes(), readable ? 0 : 1);

        const int next = checked == 1 ? 2 : 1;
        shell.main.themeEntry(next)->trigger();
        EXPECT_EQ(ForeItem(), next);
        EXPECT_EQ(settingsBoxes(), readable ? 0 : 1);
        const StoredSettings after;
        EXPECT_EQ(after.Find("Settings", "ForeItem"),
                  readable ? std::optional(" " + std::to_string(next)) : std::nullopt);
        EXPECT_EQ(test::fs::status(file).type(),
                  store == Store::kPipe         ? test::fs::file_type::fifo
                  : store == Store::kLinkToZero ? test::fs::file_type::character
                  : store == Store::kFolder     ? test::fs::file_type::directory
                                                : test::fs::file_type::regular);
    });
    alarm(0);
    EXPECT_EQ(CursorIcon(kFirstCursorIcon).shape(), Qt::BitmapCursor); // loaded at start-up
}

// What the reader takes from a file is what QSettings takes from it, and the file is where
// QSettings keeps it.
TEST(StoredSettings, ReadsWhatQSettingsReads)
{
    const test::Folder folder;
    const char *const keys[] = {"A", "B", "C", "D"};
    const std::pair<const char *, std::string> rows[] = {
        {"quoted blanks and escapes", "[G]\nA=\" 3\"\nB = \"a\\\"b\\\\c\\td\" \nC=\\x41\\102\n"},
        {"comments and blanks", "; A=1\n[G]\n  A =  x y  ; note\nB=\"p;q\"\nC=\nD\n"},
        {"a group given twice, a key twice, CRLF", "[G]\r\nA=1\r\n[H]\r\nB=2\r\n[G]\r\nA=3\r\n"},
        {"no group of that name", "[General]\nA=1\n[g]\nB=2\n[ G ]\nC=3\n"},
    };
    int row = 0;
    test::ForEachCase(rows, [&](auto, const std::string &text) {
        const test::fs::path file = folder.path / ("s" + std::to_string(++row) + ".conf");
        test::WriteFile(file, text);
        const QString path = QString::fromStdString(file.string());
        QSettings qt(path, QSettings::IniFormat);
        const StoredSettings ours(path);
        for (const char *key : keys) {
            const QVariant value = qt.value(QStringLiteral("G/") + key);
            EXPECT_EQ(ours.Find("G", key), value.isValid()
                                               ? std::optional(value.toString().toStdString())
                                               : std::nullopt)
                << key;
        }
    });
    EXPECT_EQ(SettingsFilePath(),
              QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane")).fileName());
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
// be kept and leaves the stored file, as a project opened (for the recent ones) leaves it (the
// read-back after a good write is the appearance test's).
TEST(SettingsFile, AChoiceThatCannotBeWrittenIsReportedAndKeepsTheOldFile)
{
    const QString path = SettingsFilePath();
    const test::fs::path folder = QFile::encodeName(QFileInfo(path).absolutePath()).toStdString();
    const std::string old = "[Settings]\nForeItem=\" 2\"\n";
    test::fs::create_directories(folder);
    test::Shell shell; // empties the store before the disk fills up
    if (!test::MountFullDisk(folder, {{"Zerovane.conf", old}}))
        GTEST_SKIP() << "mounting a small file system needs root";
    shell.main.LoadAppearance();
    shell.main.themeEntry(1)->trigger();
    EXPECT_EQ(ForeItem(), 1);
    ASSERT_TRUE(shell.main.OpenProject(ZV_EXAMPLES_DIR "/sample1.zvn")); // a recent project
    ASSERT_EQ(shell.recorder.messages.size(), 1);
    EXPECT_EQ(shell.recorder.messages[0].prompt, QStringLiteral("No space left on device"));
    EXPECT_EQ(test::ReadFile(path.toStdString()), old);
    ::umount2(folder.c_str(), MNT_DETACH);
}

} // namespace
} // namespace zv

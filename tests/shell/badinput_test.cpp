// The bad-input catalogue at the shell's doors: projects handed to Open, damaged settings at
// start-up, and the project's Save onto a full disk. (The command line and the batch export
// hand a path to the same reader; their own tests keep one failing row each.)
#include "shell/appearance.h"
#include "shell/startup.h"
#include "tools/xpert.h"
#include "ui/messagetextq.h"

#include "shell.h"
#include "tests/support/cases.h"
#include "tests/support/scratch.h"

#include <QLabel>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sys/stat.h>

namespace zv {
namespace {

namespace fs = test::fs;
using namespace std::string_literals;

const std::string kGoodProject = "\"Zerovane\"\r\n\"x-1\"\r\n\" 0\"\r\n\" 3\"\r\n";

// The most memory this process has held since the peak was last reset, in MiB; resets it first
// when asked.
long PeakMemory(bool reset = false)
{
    if (reset)
        std::ofstream("/proc/self/clear_refs") << "5";
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6)) / 1024;
    }
    return 0;
}

TEST(BadInput, ProjectsAtOpen)
{
    using Make = std::function<void(const fs::path &)>;
    const auto bytes = [](std::string content) -> Make {
        return [content](const fs::path &path) { test::WriteFile(path, content); };
    };
    std::string allBytes, sumOfX;
    for (int i = 0; i < 1024; ++i)
        allBytes += char(i % 256);
    for (int i = 0; i < 160 * 1024; ++i)
        sumOfX += "x+";
    // The reader's box: 7 with the failure's description, 6 for an equation it refuses.
    const auto failed = [](const char *failure) {
        return QStringList{MessageTextQ(7) + '|' + failure + "|!"};
    };
    const QStringList fewFields = failed("The file has fewer than four fields."),
                      syntax = {MessageTextQ(6) + "|Zerovane|"}, opens;
    const struct
    {
        const char *name;
        const char *file; // in the scratch folder
        Make make;
        QStringList boxes;
        bool asNobody = false; // read as a user without root's rights
    } rows[] = {
        {"empty", "p.zvn", bytes(""), fewFields},
        {"binary", "p.zvn", bytes(allBytes), syntax},
        {"NUL bytes only", "p.zvn", bytes(std::string(4096, '\0')), fewFields},
        {"a NUL byte in the function", "p.zvn",
         bytes("\"Zerovane\"\r\n\"x-1\0+1\"\r\n\" 0\"\r\n\" 3\"\r\n"s), syntax},
        // Only the first 320 KiB are written; the rest of the line is a hole.
        {"a 100 MB single line", "p.zvn",
         [sumOfX](const fs::path &path) {
             test::WriteFile(path, sumOfX);
             fs::resize_file(path, 100'000'000);
         },
         failed("The function has more than 32767 characters.")},
        {"a missing closing quote", "p.zvn", bytes("\"Zerovane\"\r\n\"x-1\r\n\" 0\"\r\n\" 3\"\r\n"),
         fewFields},
        {"three fields", "p.zvn", bytes("\"Zerovane\"\r\n\"x-1\"\r\n\" 0\"\r\n"), fewFields},
        {"an unknown marker", "p.zvn", bytes("\"Solver 2\"\r\n\"x-1\"\r\n\" 0\"\r\n\" 3\"\r\n"),
         opens},
        {"a directory", "p.zvn", [](const fs::path &path) { fs::create_directory(path); },
         failed("Is a directory")},
        // Opening it must not wait for a writer that never comes.
        {"a named pipe without a writer", "p.zvn",
         [](const fs::path &path) { ::mkfifo(path.c_str(), 0644); },
         failed("This is a pipe, a device or a socket, not a file.")},
        {"no permission", "p.zvn",
         [&bytes](const fs::path &path) {
             bytes(kGoodProject)(path);
             fs::permissions(path, fs::perms::none);
         },
         failed("Permission denied"), true},
        {"blanks and non-ASCII letters in the path", "Proiecte și ecuații/ecuație ü.zvn",
         [&bytes](const fs::path &path) {
             fs::create_directory(path.parent_path());
             bytes(kGoodProject)(path);
         },
         opens},
    };
    test::ForEachCase(rows, [](const auto &row) {
        const test::Folder folder;
        const fs::path path = folder.path / row.file;
        row.make(path);
        test::Shell shell;
        shell.OpenOn("x^2-4", -3, 3);
        shell.recorder.chosenFile = QString::fromStdString(path.string());
        const long before = PeakMemory(true);
        {
            const test::AsNobody nobody(row.asNobody);
            shell.Entry("mnuopen")->trigger();
        }
        // Reading no more than the head of a file: a 100 MB line costs no 100 MB.
        EXPECT_LT(PeakMemory() - before, 16);
        EXPECT_EQ(shell.recorder.Boxes(), row.boxes);
        // The window already open stays; a new one comes only for a project that opens.
        EXPECT_EQ(shell.Titles().size(), row.boxes.isEmpty() ? 2 : 1);
    });
}

TEST(BadInput, DamagedSettingsStillStartWithAReadableTheme)
{
    // The whole settings file, then the Background entry checked afterwards (0 for none).
    const std::tuple<const char *, std::string, int> rows[] = {
        {"binary garbage", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18), 4},
        {"garbage values", "[Settings]\nBackground=blue\nForeground=\"\"\nForeItem=nan\n", 4},
        {"huge numbers",
         "[Settings]\nBackground=1E+40\nForeground=-99999999999999999999999\nForeItem=1E+999\n", 4},
        {"ForeItem 0", "[Settings]\nBackground=0\nForeground=16777215\nForeItem=0\n", 0},
        {"ForeItem 7", "[Settings]\nBackground=15711881\nForeground=0\nForeItem=7\n", 0},
        {"ForeItem -1", "[Settings]\nForeItem=-1\n", 0},
        {"text as dark as its background", "[Settings]\nBackground=0\nForeground=1\nForeItem=5\n",
         5},
    };
    const std::string file =
        QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane")).fileName().toStdString();
    test::ForEachCase(rows, [&file](auto, const std::string &store, int checked) {
        test::Shell shell; // empties the store first
        fs::create_directories(fs::path(file).parent_path());
        test::WriteFile(file, store);
        QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane")).sync();
        // The theme in force at a program's start.
        ForeItem() = 4;
        Background() = kSystemHighlight;
        Foreground() = 0xFFFFFF;
        ASSERT_TRUE(StartUp(shell.main, {"zerovane"}));
        for (int k = 1; k <= 5; ++k)
            EXPECT_EQ(shell.main.themeEntry(k)->isChecked(), k == checked) << k;
        // The wizard's first step as the user reads it, on the frame behind it.
        const auto *label = shell.main.Wizard()->findChild<QLabel *>(QStringLiteral("lblStep0"));
        const QWidget *behind = label->parentWidget();
        while (!behind->autoFillBackground() && !behind->isWindow())
            behind = behind->parentWidget();
        // Light text on a dark ground or the other way round, far enough apart to read.
        EXPECT_GE(std::abs(label->palette().color(QPalette::WindowText).lightness() -
                           behind->palette().color(QPalette::Window).lightness()),
                  96);
    });
}

// Saving onto a full disk once emptied the old file and reported success.
TEST(BadInput, ProjectSaveOntoAFullDiskKeepsTheOldFileAndSaysWhy)
{
    const test::Folder folder;
    if (!test::MountFullDisk(folder.path, {{"old.zvn", kGoodProject}}))
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root and the right to mount)";
    const size_t entries = folder.Entries();
    test::Shell shell;
    shell.OpenOn("x^2-4", -3, 3);
    shell.recorder.chosenFile = QString::fromStdString((folder.path / "old.zvn").string());
    shell.Entry("mnusaveproj")->trigger();
    EXPECT_EQ(shell.recorder.Boxes(),
              QStringList({"No space left on device|" + MessageTextQ(12) + "|!"}));
    EXPECT_EQ(test::ReadFile(folder.path / "old.zvn"), kGoodProject);
    EXPECT_EQ(folder.Entries(), entries);
}

} // namespace
} // namespace zv

// The project reader's catalogue, good and bad files alike, at ReadProject, which every door
// (Open, a drop, the command line, the batch export) hands its path to; the doors keep one
// wiring row each.
#include "shell/pendinggraph.h"
#include "shell/projectfile.h"
#include "ui/messagetextq.h"

#include "shell.h"
#include "tests/support/cases.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {
namespace {

namespace fs = test::fs;
using namespace std::string_literals;

std::string Project(const std::string &function, const std::string &tail = "")
{
    return "\"Zerovane\"\r\n\"" + function + "\"\r\n\" 0\"\r\n\" 1\"\r\n" + tail;
}

// "x+x+...+x" of n characters (n odd).
std::string SumOfX(size_t n)
{
    std::string text = "x";
    while (text.size() < n)
        text += "+x";
    return text;
}

// The most memory this process has held since the peak was last reset (first, if asked), in MiB.
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

TEST(ReadProject, FillsPendingGraphOrShowsTheReadersMessage)
{
    const auto failed = [](const char *failure) { return MessageTextQ(7) + '|' + failure + "|!"; };
    const auto refused = [](const char *interval) { return interval + QString("|Zerovane|!"); };
    const QString fewFields = failed("The file has fewer than four fields."),
                  syntax = MessageTextQ(6) + "|Zerovane|",
                  tooLong = failed("The function has more than 32767 characters.");
    std::string allBytes;
    for (int i = 0; i < 1024; ++i)
        allBytes += char(i % 256);
    const std::string longest = SumOfX(kMaxFunctionLength);
    const struct
    {
        const char *name;
        std::string content;
        QString read; // the equation as "function a b", or the box as "prompt|title|icon"
        std::function<void(const fs::path &)> make = nullptr; // instead of writing content
        bool asNobody = false; // read as a user without root's rights
    } rows[] = {
        {"as written", "\"Zerovane\"\r\n\"3^x-x^3\"\r\n\" 0\"\r\n\" 6\"\r\n", "3^x-x^3 0 6"},
        {"decimal commas", "\"Zerovane\"\r\n\"x^2-4\"\r\n\"-2,5\"\r\n\"2,5\"\r\n",
         "x^2-4 -2.5 2.5"},
        {"empty marker", "\"\"\r\n\"x-1\"\r\n\" 0\"\r\n\" 3\"\r\n", "x-1 0 3"},
        {"LF lines, blanks, commas", "  \"m\"\n \"x-1\" ,\t\" 1\",\"2\"", "x-1 1 2"},
        {"unquoted fields", "m,x + 1,1.5,2\r\n", "x + 1 1.5 2"},
        {"text after a quote", "\"m\"junk\r\n\"x\"?\r\n\"1\"\r\n\"2\"", "x 1 2"},
        {"translated", Project("2x-1,5"), "2*x-1.5 0 1"},
        {"no numbers", "\"Zerovane\"\r\n\"x\"\r\n\"left\"\r\n\"3.5 right\"\r\n", "x 0 3.5"},
        {"three fields and blanks", "\"m\"\r\n\"x\"\r\n\"1\"\r\n  ", fewFields},
        {"a missing closing quote", "\"Zerovane\"\r\n\"x-1\r\n\" 0\"\r\n\" 3\"\r\n", fewFields},
        {"number beyond the range", "\"m\"\r\n\"x\"\r\n\" 1E+400\"\r\n\" 1\"\r\n",
         failed("Overflow.")},
        // A window cannot show these: a not below b, or a width beyond the double range.
        {"a above b", "m,x,5,1", refused("The two values don't build an interval. [5 ; 1]")},
        {"a equals b", "m,x,-.5,-0.5",
         refused("The two values don't build an interval. [-.5 ; -.5]")},
        {"too wide", "m,x,-1e308,1e308", refused("The interval is too big. [-1E+308 ; 1E+308]")},
        {"empty", "", fewFields},
        {"binary", allBytes, syntax},
        {"NUL bytes only", std::string(4096, '\0'), fewFields},
        {"a NUL byte in the function", Project("x-1\0+1"s), syntax},
        // A longer function is refused after reading no more than the head of the file.
        {"the longest function", Project(longest), QString::fromStdString(longest) + " 0 1"},
        {"one character more", Project(longest + "1"), tooLong},
        {"fields first, then 20 MB", Project("x-1", std::string(20'000'000, '#')), "x-1 0 1"},
        // Only the first 320 KiB are written; the rest of the line is a hole.
        {"a 100 MB single line", SumOfX(320 * 1024 + 1), tooLong,
         [](const fs::path &path) { fs::resize_file(path, 100'000'000); }},
        {"a directory", "", failed("Is a directory"),
         [](const fs::path &path) { fs::create_directory(path); }},
        // Opening it must not wait for a writer that never comes.
        {"a named pipe without a writer", "",
         failed("This is a pipe, a device or a socket, not a file."),
         [](const fs::path &path) { ::mkfifo(path.c_str(), 0644); }},
        {"no permission", Project("x-1"), failed("Permission denied"),
         [](const fs::path &path) { fs::permissions(path, fs::perms::none); }, true},
    };
    test::ForEachCase(rows, [](const auto &row) {
        const test::Folder folder;
        const fs::path path = folder.path / "p.zvn";
        if (!row.content.empty() || !row.make)
            test::WriteFile(path, row.content);
        if (row.make)
            row.make(path);
        PendingGraph() = GraphEquation{QStringLiteral("before"), 111, 222};
        test::Recorder recorder;
        QStringList seen;
        const long before = PeakMemory(true);
        {
            const test::AsNobody nobody(row.asNobody);
            if (ReadProject(QString::fromStdString(path.string()))) {
                const GraphEquation &read = PendingGraph();
                seen << read.function + ' ' + QString::number(read.a) + ' ' +
                            QString::number(read.b);
            }
        }
        EXPECT_LT(PeakMemory() - before, 16); // a 100 MB line costs no 100 MB
        EXPECT_EQ(seen + recorder.Boxes(), QStringList{row.read});
    });
}

// Each sample reads as a project and is written exactly as the program would write it again.
TEST(BundledExamples, AreProjectFilesInTheWrittenForm)
{
    for (int i = 1; i <= 7; ++i) {
        const QString path = QStringLiteral(ZV_EXAMPLES_DIR "/sample%1.zvn").arg(i);
        SCOPED_TRACE(path.toStdString());
        const ProjectReadResult read = LoadProjectFile(path);
        ASSERT_EQ(read.status, ProjectReadStatus::Ok);
        EXPECT_EQ(test::ReadFile(path.toStdString()),
                  FormatProjectText(read.function.toStdString(), read.a, read.b));
    }
}

// The writer's own tests hold its failures (a full disk keeps the old file); this is the menu's
// wiring to it (saving onto a full disk once reported success, onto a named pipe froze).
TEST(ProjectSave, AFailedWriteSaysWhy)
{
    const test::Folder folder;
    const fs::path pipe = folder.path / "p.zvn";
    ::mkfifo(pipe.c_str(), 0644);
    test::Shell shell;
    shell.OpenOn("x^2-4", -3, 3);
    ::alarm(60); // a save that waits for a reader of the pipe ends the test instead of hanging
    for (const fs::path &path : {folder.path, pipe}) {
        shell.recorder.chosenFile = QString::fromStdString(path.string());
        shell.Entry("mnusaveproj")->trigger();
    }
    ::alarm(0);
    EXPECT_EQ(shell.recorder.Boxes(),
              QStringList({"Is a directory|" + MessageTextQ(12) + "|!",
                           "This is a pipe, a device or a socket, not a file.|" + MessageTextQ(12) +
                               "|!"}));
}

} // namespace
} // namespace zv

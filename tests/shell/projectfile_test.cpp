#include "shell/pendinggraph.h"
#include "shell/projectfile.h"
#include "texts/messagetexts.h"

#include "tests/support/messagerecorder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zv {
namespace {

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST(SaveProjectFile, ReplacesAnOlderProjectAndReadsBackUnchanged)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("round.zvn"));
    ASSERT_EQ(SaveProjectFile(path, QStringLiteral("x^3"), -10, 10), QString());
    const struct
    {
        const char *function;
        double a, b;
    } cases[] = {
        {"sin(x)-cos(x)", -3.14159265358979, 3.14159265358979},
        {"x-1", 1.23456789012345, 1e20},
        {"x", -2.5e-7, 0.125},
        {"x^2-4", -0.5, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.function);
        ASSERT_EQ(SaveProjectFile(path, QString::fromLatin1(c.function), c.a, c.b), QString());
        const ProjectReadResult read = LoadProjectFile(path);
        ASSERT_EQ(read.status, ProjectReadStatus::Ok);
        EXPECT_EQ(read.function, QString::fromLatin1(c.function));
        EXPECT_EQ(read.a, c.a);
        EXPECT_EQ(read.b, c.b);
    }
    // Quoted lines ending in CR LF.
    EXPECT_EQ(FileBytes(path), QByteArray("\"Zerovane\"\r\n\"x^2-4\"\r\n\"-.5\"\r\n\" 2\"\r\n"));
}

TEST(ReadProject, FillsPendingGraphOrShowsTheReadersMessage)
{
    const QTemporaryDir dir;
    const struct
    {
        const char *name;
        const char *content; // nullptr: no such file
        const char *function;
        double a, b;
        int prompt = 0;              // message text of the box on failure, 0 on success
        const char *title = nullptr; // nullptr: any description of the system's
        MessageIcon icon = MessageIcon::None;
    } cases[] = {
        {"as written", "\"Zerovane\"\r\n\"3^x-x^3\"\r\n\" 0\"\r\n\" 6\"\r\n", "3^x-x^3", 0, 6},
        {"decimal commas", "\"Zerovane\"\r\n\"x^2-4\"\r\n\"-2,5\"\r\n\"2,5\"\r\n", "x^2-4", -2.5,
         2.5},
        {"any first word", "\"Hello\"\r\n\"x-1\"\r\n\"1E+15\"\r\n\" 3\"\r\n", "x-1", 1e15, 3},
        {"empty marker", "\"\"\r\n\"x-1\"\r\n\" 0\"\r\n\" 3\"\r\n", "x-1", 0, 3},
        {"LF lines, blanks, commas", "  \"m\"\n \"x-1\" ,\t\" 1\",\"2\"", "x-1", 1, 2},
        {"unquoted fields", "m,x + 1,1.5,2\r\n", "x + 1", 1.5, 2},
        {"text after a quote", "\"m\"junk\r\n\"x\"?\r\n\"1\"\r\n\"2\"", "x", 1, 2},
        {"translated", "\"Zerovane\"\r\n\"2x-1,5\"\r\n\" 0\"\r\n\" 3\"\r\n", "2*x-1.5", 0, 3},
        {"no numbers", "\"Zerovane\"\r\n\"x\"\r\n\"left\"\r\n\"3.5 right\"\r\n", "x", 0, 3.5},
        {"three fields", "\"Zerovane\"\r\n\"x-1\"\r\n\" 0\"\r\n", "", 0, 0, 7,
         "The file has fewer than four fields.", MessageIcon::Exclamation},
        {"three fields and blanks", "\"m\"\r\n\"x\"\r\n\"1\"\r\n  ", "", 0, 0, 7,
         "The file has fewer than four fields.", MessageIcon::Exclamation},
        {"missing file", nullptr, "", 0, 0, 7, nullptr, MessageIcon::Exclamation},
        {"number beyond the range", "\"Zerovane\"\r\n\"x\"\r\n\" 1E+400\"\r\n\" 1\"\r\n", "", 0, 0,
         7, "Overflow.", MessageIcon::Exclamation},
        {"bad equation", "\"Zerovane\"\r\n\"x+\"\r\n\" 0\"\r\n\" 1\"\r\n", "", 0, 0, 6, "Zerovane",
         MessageIcon::None},
        {"unknown name", "\"Zerovane\"\r\n\"foo(x)\"\r\n\" 0\"\r\n\" 1\"\r\n", "", 0, 0, 6,
         "Zerovane", MessageIcon::None},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("read.zvn"));
        QFile::remove(path);
        if (c.content != nullptr)
            WriteBytes(path, QByteArray(c.content));
        PendingGraph() = GraphEquation{QStringLiteral("before"), 111, 222};

        test::Recorder recorder;
        ASSERT_EQ(ReadProject(path), c.prompt == 0);
        if (c.prompt == 0) {
            EXPECT_TRUE(recorder.messages.isEmpty());
            EXPECT_EQ(PendingGraph().function, QString::fromLatin1(c.function));
            EXPECT_EQ(PendingGraph().a, c.a);
            EXPECT_EQ(PendingGraph().b, c.b);
            continue;
        }
        ASSERT_EQ(recorder.messages.size(), 1);
        const MessageRequest &box = recorder.messages.front();
        EXPECT_EQ(box.prompt.toStdString(), MessageText(c.prompt));
        EXPECT_EQ(box.title, c.title ? QString::fromLatin1(c.title) : box.title);
        EXPECT_FALSE(box.title.isEmpty());
        EXPECT_EQ(box.icon, c.icon);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
    }
}

// Each sample reads as a project and is written exactly as the program would write it again.
TEST(BundledExamples, AreProjectFilesInTheWrittenForm)
{
    for (int i = 1; i <= 7; ++i) {
        const QString path = QStringLiteral(ZV_EXAMPLES_DIR "/sample%1.zvn").arg(i);
        SCOPED_TRACE(path.toStdString());
        const ProjectReadResult read = LoadProjectFile(path);
        ASSERT_EQ(read.status, ProjectReadStatus::Ok);
        EXPECT_EQ(FileBytes(path).toStdString(),
                  FormatProjectText(read.function.toStdString(), read.a, read.b));
    }
}

} // namespace
} // namespace zv

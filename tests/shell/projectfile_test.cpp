#include "shell/pendinggraph.h"
#include "shell/projectfile.h"
#include "ui/messagetextq.h"

#include "tests/support/messagerecorder.h"
#include "tests/support/scratch.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(SaveProjectFile, ReplacesAnOlderProjectAndReadsBackUnchanged)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("round.zvn"));
    const std::tuple<const char *, double, double> rows[] = {
        {"x^3", -10, 10},
        {"sin(x)-cos(x)", -3.14159265358979, 3.14159265358979},
        {"x-1", 1.23456789012345, 1e20},
        {"x^2-4", -0.5, 2}};
    for (const auto &[function, a, b] : rows) {
        SCOPED_TRACE(function);
        ASSERT_EQ(SaveProjectFile(path, QString::fromLatin1(function), a, b), QString());
        const ProjectReadResult read = LoadProjectFile(path);
        ASSERT_EQ(read.status, ProjectReadStatus::Ok);
        EXPECT_EQ(read.function + ' ' + QString::number(read.a, 'g', 17) + ' ' +
                      QString::number(read.b, 'g', 17),
                  QString::fromLatin1(function) + ' ' + QString::number(a, 'g', 17) + ' ' +
                      QString::number(b, 'g', 17));
    }
    EXPECT_EQ(test::ReadFile(path.toStdString()),
              std::string("\"Zerovane\"\r\n\"x^2-4\"\r\n\"-.5\"\r\n\" 2\"\r\n"));
}

TEST(ReadProject, FillsPendingGraphOrShowsTheReadersMessage)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("read.zvn"));
    // Read: the equation as "function a b"; refused: "prompt|title|icon" of the box.
    const std::tuple<const char *, const char *, QString> rows[] = {
        {"as written", "\"Zerovane\"\r\n\"3^x-x^3\"\r\n\" 0\"\r\n\" 6\"\r\n", "3^x-x^3 0 6"},
        {"decimal commas", "\"Zerovane\"\r\n\"x^2-4\"\r\n\"-2,5\"\r\n\"2,5\"\r\n",
         "x^2-4 -2.5 2.5"},
        {"empty marker", "\"\"\r\n\"x-1\"\r\n\" 0\"\r\n\" 3\"\r\n", "x-1 0 3"},
        {"LF lines, blanks, commas", "  \"m\"\n \"x-1\" ,\t\" 1\",\"2\"", "x-1 1 2"},
        {"unquoted fields", "m,x + 1,1.5,2\r\n", "x + 1 1.5 2"},
        {"text after a quote", "\"m\"junk\r\n\"x\"?\r\n\"1\"\r\n\"2\"", "x 1 2"},
        {"translated", "\"Zerovane\"\r\n\"2x-1,5\"\r\n\" 0\"\r\n\" 3\"\r\n", "2*x-1.5 0 3"},
        {"no numbers", "\"Zerovane\"\r\n\"x\"\r\n\"left\"\r\n\"3.5 right\"\r\n", "x 0 3.5"},
        {"three fields and blanks", "\"m\"\r\n\"x\"\r\n\"1\"\r\n  ",
         MessageTextQ(7) + "|The file has fewer than four fields.|!"},
        {"number beyond the range", "\"Zerovane\"\r\n\"x\"\r\n\" 1E+400\"\r\n\" 1\"\r\n",
         MessageTextQ(7) + "|Overflow.|!"},
    };
    for (const auto &[name, content, expected] : rows) {
        SCOPED_TRACE(name);
        test::WriteFile(path.toStdString(), content);
        PendingGraph() = GraphEquation{QStringLiteral("before"), 111, 222};
        test::Recorder recorder;
        QStringList seen;
        if (ReadProject(path)) {
            const GraphEquation &pending = PendingGraph();
            seen << pending.function + ' ' + QString::number(pending.a) + ' ' +
                        QString::number(pending.b);
        }
        EXPECT_EQ(seen + recorder.Boxes(), QStringList{expected});
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
        EXPECT_EQ(test::ReadFile(path.toStdString()),
                  FormatProjectText(read.function.toStdString(), read.a, read.b));
    }
}

} // namespace
} // namespace zv

#include "shell/projectfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zv {
namespace {

// "x+x+...+x" of exactly n characters (n odd).
QByteArray SumOfX(int n)
{
    QByteArray text = QByteArray("x+").repeated(n / 2);
    text += 'x';
    return text;
}

QByteArray Project(const QByteArray &function, const QByteArray &tail = {})
{
    return "\"Zerovane\"\r\n\"" + function + "\"\r\n\" 0\"\r\n\" 1\"\r\n" + tail;
}

// A function longer than an entry field holds is refused without reading the whole file, so
// a huge file answers at once instead of freezing the program (a 100 MB line took minutes
// and gigabytes); a long file whose four fields come first still opens.
TEST(ProjectSize, FunctionsUpToWhatAnEntryFieldHoldsOpen)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.zvn"));
    const QByteArray tooLongText = "The function has more than 32767 characters.";
    const std::tuple<const char *, QByteArray, bool> rows[] = {
        {"the longest function", Project(SumOfX(kMaxFunctionLength)), true},
        {"one character more", Project(SumOfX(kMaxFunctionLength) + "1"), false},
        {"a 20 MB single unquoted line", SumOfX(20'000'001), false},
        {"fields first, then 20 MB of anything", Project("x-1", QByteArray(20'000'000, '#')), true},
    };
    for (const auto &[name, content, opens] : rows) {
        SCOPED_TRACE(name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(content), content.size());
        file.close();
        const ProjectReadResult read = LoadProjectFile(path);
        EXPECT_EQ(read.status, opens ? ProjectReadStatus::Ok : ProjectReadStatus::FileError);
        EXPECT_EQ(read.failure, opens ? QString() : QString::fromLatin1(tooLongText));
    }
}

} // namespace
} // namespace zv

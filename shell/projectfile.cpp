#include "shell/projectfile.h"

#include "engine/numbertext.h"
#include "export/atomicfile.h"
#include "shell/pendinggraph.h"
#include "ui/messagebox.h"
#include "ui/messagetextq.h"
#include "ui/systempath.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

namespace {

constexpr int kTextNoInterval = 38; // "The two values don't build an interval."
constexpr int kTextTooWide = 39;    // "The interval is too big."

QString ReaderText(const char *text)
{
    return QCoreApplication::translate("zv::ProjectFile", text);
}

// An end of the interval as the file writes it, without the blank before a positive one.
QString EndText(double value)
{
    return QString::fromStdString(FormatFileNumber(value)).trimmed();
}

QString SystemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Reads at most `limit` bytes from the start of a regular file into content. Opening does not
// wait: a named pipe without a writer would otherwise hold the whole program. Pipes, devices
// and sockets are refused, since a project is a file. Returns the failure, or nothing.
QString ReadFileHead(const QString &path, qint64 limit, QByteArray &content)
{
    const int fd = ::open(PathBytes(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return SystemText(errno);
    QString failure;
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0) {
        failure = SystemText(errno);
    } else if (S_ISDIR(info.st_mode)) {
        failure = SystemText(EISDIR);
    } else if (!S_ISREG(info.st_mode)) {
        failure = ReaderText("This is a pipe, a device or a socket, not a file.");
    } else {
        content.resize(limit);
        qint64 got = 0;
        while (got < limit) {
            const ssize_t n = ::read(fd, content.data() + got, size_t(limit - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                failure = SystemText(errno);
            if (n <= 0)
                break;
            got += n;
        }
        content.truncate(got);
    }
    ::close(fd);
    return failure;
}

} // namespace

ProjectReadResult LoadProjectFile(const QString &path)
{
    ProjectReadResult result;
    // One byte more than the limit tells whether the file goes on past it.
    QByteArray content;
    result.failure = ReadFileHead(path, qint64(kProjectReadLimit) + 1, content);
    if (!result.failure.isEmpty())
        return result;

    const bool cut = size_t(content.size()) > kProjectReadLimit;
    const ProjectText text = ParseProjectText(
        std::string_view(content.constData(), std::min(size_t(content.size()), kProjectReadLimit)),
        cut);
    result.function = QString::fromStdU16String(text.function);
    result.a = text.a;
    result.b = text.b;
    switch (text.status) {
    case ProjectTextStatus::Ok:
        result.status = ProjectReadStatus::Ok;
        break;
    case ProjectTextStatus::BadEquation:
        result.status = ProjectReadStatus::BadEquation;
        break;
    case ProjectTextStatus::TooFewFields:
        result.failure = ReaderText("The file has fewer than four fields.");
        break;
    case ProjectTextStatus::TooLong:
        result.failure =
            ReaderText("The function has more than %1 characters.").arg(kMaxFunctionLength);
        break;
    case ProjectTextStatus::Overflow:
        result.failure = ReaderText("Overflow.");
        break;
    case ProjectTextStatus::NoInterval:
    case ProjectTextStatus::TooWide: {
        const bool reversed = text.status == ProjectTextStatus::NoInterval;
        result.status = ProjectReadStatus::BadInterval;
        result.failure = MessageTextQ(reversed ? kTextNoInterval : kTextTooWide) +
                         QStringLiteral(" [") + EndText(text.a) + QStringLiteral(" ; ") +
                         EndText(text.b) + QLatin1Char(']');
        break;
    }
    }
    return result;
}

QString SaveProjectFile(const QString &path, const QString &function, double a, double b)
{
    const QByteArray function8 = function.toLatin1();
    const std::string text =
        FormatProjectText(std::string_view(function8.constData(), size_t(function8.size())), a, b);
    return QString::fromLocal8Bit(WriteFileAtomically(PathBytes(path).toStdString(), text));
}

QString TypedProjectPath(const QString &typed)
{
    return PathExists(typed) ? typed : QString(typed).remove(QLatin1Char('"'));
}

bool ReadProject(const QString &path, QWidget *parent, QString *failure)
{
    const ProjectReadResult result = LoadProjectFile(path);
    switch (result.status) {
    case ProjectReadStatus::FileError:
        if (failure != nullptr)
            *failure = result.failure;
        ShowMessage(parent, MessageTextQ(7), result.failure, MessageIcon::Exclamation);
        return false;
    case ProjectReadStatus::BadEquation:
        PendingGraph().function = result.function;
        if (failure != nullptr)
            *failure = MessageTextQ(6);
        ShowMessage(parent, MessageTextQ(6), QStringLiteral("Zerovane"), MessageIcon::None);
        return false;
    case ProjectReadStatus::BadInterval:
        if (failure != nullptr)
            *failure = result.failure;
        ShowMessage(parent, result.failure, QStringLiteral("Zerovane"), MessageIcon::Exclamation);
        return false;
    case ProjectReadStatus::Ok:
        break;
    }
    PendingGraph().function = result.function;
    PendingGraph().a = result.a;
    PendingGraph().b = result.b;
    return true;
}

} // namespace zv

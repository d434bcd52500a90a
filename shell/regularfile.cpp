#include "shell/regularfile.h"

#include "ui/systempath.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

namespace {

QString SystemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

QString ReadRegularFile(const QString &path, qint64 limit, QByteArray &content)
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
        failure = QCoreApplication::translate("zv::ProjectFile",
                                              "This is a pipe, a device or a socket, not a file.");
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

} // namespace zv

#include "export/filedescriptor.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace zv {

FileDescriptor::~FileDescriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileDescriptor::Close()
{
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
}

bool WriteWhole(int fd, std::string_view content, off_t offset)
{
    while (!content.empty()) {
        const ssize_t written = ::pwrite(fd, content.data(), content.size(), offset);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
        offset += written;
    }
    return true;
}

bool ReadWhole(int fd, size_t limit, std::string &content)
{
    content.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (content.size() + static_cast<size_t>(got) > limit) {
            errno = EFBIG;
            return false;
        }
        content.append(buffer, static_cast<size_t>(got));
    }
}

std::string SystemText(int error)
{
    return std::strerror(error);
}

} // namespace zv

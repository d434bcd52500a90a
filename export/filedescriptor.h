#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <utility>

namespace zv {

// An open file descriptor, closed when it goes out of scope.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd = -1)
        : m_fd(fd)
    {
    }
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    FileDescriptor(FileDescriptor &&other) noexcept
        : m_fd(std::exchange(other.m_fd, -1))
    {
    }
    FileDescriptor &operator=(FileDescriptor &&other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }

    bool IsOpen() const { return m_fd >= 0; }
    int get() const { return m_fd; }
    // Closes now and says whether that succeeded: some file systems report a failed write only
    // here. errno holds the failure.
    bool Close();

private:
    int m_fd;
};

// Writes all of content at offset, going on after interruptions and partial writes. Returns
// false with errno set on failure.
bool WriteWhole(int fd, std::string_view content, off_t offset);

// Reads fd from its current position to its end into content, refusing to read more than limit
// bytes (errno EFBIG). Returns false with errno set on failure.
bool ReadWhole(int fd, size_t limit, std::string &content);

// The system's description of an errno value ("No space left on device").
std::string SystemText(int error);

} // namespace zv

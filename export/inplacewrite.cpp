#include "export/inplacewrite.h"

#include "export/filedescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace zv {

namespace {

// Makes the file hold exactly content, on the disk. Returns 0 or the failure's errno.
int Rewrite(int fd, std::string_view content)
{
    if (!WriteWhole(fd, content, 0) || ::ftruncate(fd, static_cast<off_t>(content.size())) != 0 ||
        ::fsync(fd) != 0) {
        return errno;
    }
    return 0;
}

const char *const kNoCopy = "The file can only be rewritten in place here, and ";

} // namespace

std::string WriteInPlace(const std::string &path, int fd, const struct stat &old,
                         std::string_view content, bool keepTimes)
{
    // The copy comes through a descriptor of its own, checked to be the same file.
    std::string backup;
    if (static_cast<unsigned long long>(old.st_size) > kInPlaceCopyLimit) {
        return kNoCopy + std::string("it is too large (over ") +
               std::to_string(kInPlaceCopyLimit >> 20) + " MiB) to keep a copy of meanwhile.";
    }
    const FileDescriptor reader(
        ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
    struct stat same = {};
    if (!reader.IsOpen() || ::fstat(reader.get(), &same) != 0 ||
        !ReadWhole(reader.get(), kInPlaceCopyLimit, backup)) {
        return kNoCopy + std::string("it cannot be read to keep a copy of meanwhile: ") +
               SystemText(errno);
    }
    if (same.st_dev != old.st_dev || same.st_ino != old.st_ino)
        return SystemText(EAGAIN); // replaced by another file while we looked

    const int failure = Rewrite(fd, content);
    const int putBack = failure == 0 ? 0 : Rewrite(fd, backup);
    if (failure != 0 || keepTimes) {
        const struct timespec times[2] = {old.st_atim, old.st_mtim};
        ::futimens(fd, times);
    }
    if (failure == 0)
        return {};
    if (putBack == 0)
        return SystemText(failure);
    return SystemText(failure) + "; the old content could not be put back either (" +
           SystemText(putBack) + "), so the file is damaged";
}

} // namespace zv

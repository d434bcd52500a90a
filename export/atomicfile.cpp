#include "export/atomicfile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

namespace {

std::string SystemText(int error)
{
    return std::strerror(error);
}

// Writes all of content, going on after interruptions and partial writes.
bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::string FolderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates a new file beside target with a name nobody uses; the process's umask applies. The
// name does not grow with the target's, so a target of the longest name still has one.
int CreateTemporary(const std::string &target, std::string &tempPath)
{
    static std::mt19937_64 random{std::random_device{}()};
    const std::string folder = FolderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "/.zerovane-" + std::to_string(random() % 1000000000) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

std::string WriteInPlace(const std::string &path, std::string_view content)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return SystemText(errno);
    if (!WriteAll(fd, content)) {
        const int error = errno;
        ::close(fd);
        return SystemText(error);
    }
    if (::close(fd) != 0)
        return SystemText(errno);
    return {};
}

} // namespace

std::string WriteFileAtomically(const std::string &path, std::string_view content, bool keepTimes)
{
    if (path.empty())
        return SystemText(ENOENT);

    std::string target = path;
    struct stat old
    {
    };
    if (::lstat(path.c_str(), &old) == 0 && S_ISLNK(old.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr)
            target = resolved;
    }
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return SystemText(EISDIR);
    if (exists && !S_ISREG(old.st_mode))
        return WriteInPlace(target, content);

    std::string tempPath;
    const int fd = CreateTemporary(target, tempPath);
    if (fd < 0)
        return SystemText(errno);

    bool ok = WriteAll(fd, content);
    if (ok && exists) {
        // The owner may not be ours to give (another user's file); the rest must hold.
        [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
        if (ok && keepTimes) {
            const struct timespec times[2] = {old.st_atim, old.st_mtim};
            ok = ::futimens(fd, times) == 0;
        }
    }
    ok = ok && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(tempPath.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(tempPath.c_str());
        return SystemText(error);
    }
    // Make the rename itself durable; the file is complete either way.
    const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

} // namespace zv

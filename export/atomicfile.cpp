#include "export/atomicfile.h"

#include "export/fileattributes.h"
#include "export/filedescriptor.h"
#include "export/inplacewrite.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

namespace {

const char *const kNotAFile = "This is a pipe, a device or a socket, not a file.";
const char *const kReadOnly = "The file is read-only for you.";
constexpr int kMaxLinks = 40; // the system's own limit when it follows a path

std::string FolderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Turns path into the file a write to it lands in: symbolic links are followed one by one, a
// relative one against its own folder, and the last may name a file that is not there yet.
// Returns 0 or the failure's errno (ELOOP for a loop).
int FollowLinks(std::string &path)
{
    for (int links = 0;; ++links) {
        struct stat info = {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return 0; // a missing file is made there; other failures show when it is opened
        if (links == kMaxLinks)
            return ELOOP;
        char to[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), to, sizeof to);
        if (length <= 0)
            return length == 0 ? ENOENT : errno;
        if (static_cast<size_t>(length) == sizeof to)
            return ENAMETOOLONG;
        const std::string next(to, static_cast<size_t>(length));
        path = next.front() == '/' ? next : FolderOf(path) + '/' + next;
    }
}

// Creates a new file beside target with a name nobody uses and the given permission bits (the
// umask narrows them further). The name does not grow with the target's, so a target of the
// longest name still has one.
int CreateTemporary(const std::string &target, mode_t mode, std::string &tempPath)
{
    static std::mt19937_64 random{std::random_device{}()};
    const std::string folder = FolderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "/.zerovane-" + std::to_string(random() % 1000000000) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The old file that a write replaces, open for writing.
struct OldFile
{
    int fd;
    struct stat info;
};

// Gives the new file open as fd what the old one has: owner, extended attributes (access
// lists among them), then the permission bits. Before any content is in it, so that nobody
// reads the new content who could not read the old. False when any of it cannot be given.
bool KeepsWhatTheOldFileHas(int fd, const OldFile &old)
{
    struct stat now = {};
    if (::fstat(fd, &now) != 0)
        return false;
    if ((now.st_uid != old.info.st_uid || now.st_gid != old.info.st_gid) &&
        ::fchown(fd, old.info.st_uid, old.info.st_gid) != 0) {
        return false;
    }
    return CopyAttributes(old.fd, fd) && ::fchmod(fd, old.info.st_mode & 07777) == 0;
}

// Writes content to a new file beside target and renames it over target (old: the file there,
// or none). Returns the failure, empty on success, or nothing when the rename cannot keep what
// the old file has (a folder we may not write, an owner or an attribute we cannot give, a
// target that cannot be renamed over): then nothing has changed, and the file can be written
// in place.
std::optional<std::string> WriteByRename(const std::string &target, std::string_view content,
                                         const OldFile *old, bool keepTimes)
{
    // Until the old file's owner and bits are given, only its owner may read the new file.
    std::string tempPath;
    FileDescriptor temp(CreateTemporary(target, old ? old->info.st_mode & 0600 : 0666, tempPath));
    if (!temp.IsOpen()) {
        if (old != nullptr && (errno == EACCES || errno == EPERM))
            return std::nullopt;
        return SystemText(errno);
    }
    if (old != nullptr && !KeepsWhatTheOldFileHas(temp.get(), *old)) {
        ::unlink(tempPath.c_str());
        return std::nullopt;
    }
    bool ok = WriteWhole(temp.get(), content, 0);
    if (ok && old != nullptr && keepTimes) {
        const struct timespec times[2] = {old->info.st_atim, old->info.st_mtim};
        ok = ::futimens(temp.get(), times) == 0;
    }
    ok = ok && ::fsync(temp.get()) == 0;
    int error = ok ? 0 : errno;
    if (!temp.Close() && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(tempPath.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(tempPath.c_str());
        if (old != nullptr && (error == EACCES || error == EPERM || error == EBUSY))
            return std::nullopt; // a sticky folder, a file mounted over the name
        return SystemText(error);
    }
    // Make the rename itself durable; the file is complete either way.
    const FileDescriptor folder(
        ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.IsOpen())
        ::fsync(folder.get());
    return std::string();
}

} // namespace

std::string WriteFileAtomically(const std::string &path, std::string_view content, bool keepTimes)
{
    if (path.empty())
        return SystemText(ENOENT);
    std::string target = path;
    if (const int error = FollowLinks(target); error != 0)
        return SystemText(error);

    OldFile old = {-1, {}};
    if (::lstat(target.c_str(), &old.info) != 0) {
        if (errno != ENOENT)
            return SystemText(errno);
        return *WriteByRename(target, content, nullptr, keepTimes);
    }
    // A pipe or a device is never opened: that could wait for ever or act on hardware.
    if (S_ISDIR(old.info.st_mode))
        return SystemText(EISDIR);
    if (!S_ISREG(old.info.st_mode))
        return kNotAFile;
    // Opening the file for writing asks the system whether this user may write it, as any
    // program would. O_NONBLOCK: should a pipe have taken its place meanwhile, or a lease be
    // held on it, this fails instead of waiting.
    const FileDescriptor file(
        ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
    if (!file.IsOpen())
        return errno == EACCES ? kReadOnly : SystemText(errno);
    old.fd = file.get();
    if (::fstat(old.fd, &old.info) != 0)
        return SystemText(errno);
    if (!S_ISREG(old.info.st_mode))
        return kNotAFile;

    // A second hard link would keep the old content if a new file took this name.
    if (old.info.st_nlink == 1) {
        if (auto written = WriteByRename(target, content, &old, keepTimes))
            return *written;
    }
    return WriteInPlace(target, old.fd, old.info, content, keepTimes);
}

} // namespace zv

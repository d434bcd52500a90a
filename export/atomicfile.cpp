#include "export/atomicfile.h"

#include "export/fileattributes.h"
#include "export/filedescriptor.h"
#include "export/inplacewrite.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

// One file of a write on its way: where it lands, the old file there (open for writing, or
// none), and the new file beside it until it is renamed; that one is removed if it never is.
struct Pending
{
    Pending() = default;
    Pending(const Pending &) = delete;
    Pending &operator=(const Pending &) = delete;
    ~Pending()
    {
        if (!tempPath.empty())
            ::unlink(tempPath.c_str());
    }

    const FileWrite *file = nullptr;
    std::string target;
    FileDescriptor old;
    struct stat oldInfo = {};
    FileDescriptor temp;
    std::string tempPath;
    bool inPlace = false; // a rename would lose what the old file has: written in place
};

// Gives the new file open as fd what the old one has: owner, extended attributes (access
// lists among them), then the permission bits. Before any content is in it, so that nobody
// reads the new content who could not read the old. False when any of it cannot be given.
bool KeepsWhatTheOldFileHas(int fd, const Pending &p)
{
    struct stat now = {};
    if (::fstat(fd, &now) != 0)
        return false;
    if ((now.st_uid != p.oldInfo.st_uid || now.st_gid != p.oldInfo.st_gid) &&
        ::fchown(fd, p.oldInfo.st_uid, p.oldInfo.st_gid) != 0) {
        return false;
    }
    return CopyAttributes(p.old.get(), fd) && ::fchmod(fd, p.oldInfo.st_mode & 07777) == 0;
}

// Drops the new file beside the target: the old one is to be written in place.
std::string WriteInPlaceInstead(Pending &p)
{
    p.temp = FileDescriptor();
    ::unlink(p.tempPath.c_str());
    p.tempPath.clear();
    p.inPlace = true;
    return {};
}

// Writes the content to a new file beside the target, not yet flushed to the disk. Returns the
// failure, or empty; when the new file cannot keep what the old one has (a folder we may not
// write, an owner or an attribute we cannot give), nothing has changed and p is marked to be
// written in place.
std::string WriteTemporary(Pending &p)
{
    const bool replaces = p.old.IsOpen();
    // Until the old file's owner and bits are given, only its owner may read the new file.
    p.temp = FileDescriptor(
        CreateTemporary(p.target, replaces ? p.oldInfo.st_mode & 0600 : 0666, p.tempPath));
    if (!p.temp.IsOpen()) {
        p.tempPath.clear();
        if (replaces && (errno == EACCES || errno == EPERM))
            return WriteInPlaceInstead(p);
        return SystemText(errno);
    }
    if (replaces && !KeepsWhatTheOldFileHas(p.temp.get(), p))
        return WriteInPlaceInstead(p);
    bool ok = WriteWhole(p.temp.get(), p.file->content, 0);
    if (ok && replaces && p.file->keepTimes) {
        const struct timespec times[2] = {p.oldInfo.st_atim, p.oldInfo.st_mtim};
        ok = ::futimens(p.temp.get(), times) == 0;
    }
    return ok ? std::string() : SystemText(errno);
}

// Finds what a write to the file lands on and, where a new file can take its place, writes
// that new file. Returns the failure, or empty.
std::string Prepare(Pending &p)
{
    if (p.file->path.empty())
        return SystemText(ENOENT);
    p.target = p.file->path;
    if (const int error = FollowLinks(p.target); error != 0)
        return SystemText(error);

    struct stat info = {};
    if (::lstat(p.target.c_str(), &info) != 0)
        return errno == ENOENT ? WriteTemporary(p) : SystemText(errno);
    // A pipe or a device is never opened: that could wait for ever or act on hardware.
    if (S_ISDIR(info.st_mode))
        return SystemText(EISDIR);
    if (!S_ISREG(info.st_mode))
        return kNotAFile;
    // Opening the file for writing asks the system whether this user may write it, as any
    // program would. O_NONBLOCK: should a pipe have taken its place meanwhile, or a lease be
    // held on it, this fails instead of waiting.
    p.old = FileDescriptor(
        ::open(p.target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
    if (!p.old.IsOpen())
        return errno == EACCES ? kReadOnly : SystemText(errno);
    if (::fstat(p.old.get(), &p.oldInfo) != 0)
        return SystemText(errno);
    if (!S_ISREG(p.oldInfo.st_mode))
        return kNotAFile;
    // A second hard link would keep the old content if a new file took this name.
    if (p.oldInfo.st_nlink != 1) {
        p.inPlace = true;
        return {};
    }
    return WriteTemporary(p);
}

// Flushes the new file to the disk and closes it: only a complete copy is renamed.
std::string Flush(Pending &p)
{
    if (p.inPlace)
        return {};
    bool ok = ::fsync(p.temp.get()) == 0;
    int error = ok ? 0 : errno;
    if (!p.temp.Close() && ok) {
        ok = false;
        error = errno;
    }
    return ok ? std::string() : SystemText(error);
}

// Puts the new content under the target's name: the new file renamed over it, or the old file
// rewritten in place. Sets renamed when the folder changed.
std::string Commit(Pending &p, bool &renamed)
{
    if (!p.inPlace) {
        if (::rename(p.tempPath.c_str(), p.target.c_str()) == 0) {
            p.tempPath.clear();
            renamed = true;
            return {};
        }
        const int error = errno;
        // A sticky folder, a file mounted over the name: nothing has changed yet.
        if (!p.old.IsOpen() || (error != EACCES && error != EPERM && error != EBUSY))
            return SystemText(error);
        WriteInPlaceInstead(p);
    }
    return WriteInPlace(p.target, p.old.get(), p.oldInfo, p.file->content, p.file->keepTimes);
}

} // namespace

size_t WriteFilesAtomically(std::span<const FileWrite> files, std::string &failure)
{
    failure.clear();
    std::vector<Pending> pending(files.size());
    // The files that may still be written: those before the first failure.
    size_t count = 0;
    const auto fails = [&](size_t at, std::string why) {
        if (why.empty())
            return false;
        failure = std::move(why);
        count = at;
        return true;
    };
    for (; count < files.size(); ++count) {
        pending[count].file = &files[count];
        if (fails(count, Prepare(pending[count])))
            break;
    }
    for (size_t i = 0; i < count; ++i) {
        if (fails(i, Flush(pending[i])))
            break;
    }
    std::vector<std::string> folders;
    for (size_t i = 0; i < count; ++i) {
        bool renamed = false;
        const std::string why = Commit(pending[i], renamed);
        const std::string folder = FolderOf(pending[i].target);
        if (renamed && std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
        if (fails(i, why))
            break;
    }
    // Make the renames themselves durable; the files are complete either way.
    for (const std::string &folder : folders) {
        const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (fd.IsOpen())
            ::fsync(fd.get());
    }
    return count;
}

std::string WriteFileAtomically(const std::string &path, std::string_view content, bool keepTimes)
{
    const FileWrite file{path, content, keepTimes};
    std::string failure;
    WriteFilesAtomically({&file, 1}, failure);
    return failure;
}

} // namespace zv

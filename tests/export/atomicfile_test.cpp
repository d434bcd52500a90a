#include "export/atomicfile.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zv {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const fs::path &path, const std::string &content)
{
    std::ofstream(path, std::ios::binary) << content;
}

// A fresh folder for one test, removed afterwards.
struct Folder
{
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "zv-write-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~Folder()
    {
        ::umount2(path.c_str(), MNT_DETACH);
        std::error_code ignored;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path, ignored);
    }
    size_t Entries() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(path), {}));
    }
    fs::path path;
};

// Runs a write in a child process (so that limits and a dropped identity stay there) and
// returns the writer's message.
std::string InChild(const std::function<void()> &prepare, const std::string &path,
                    const std::string &content)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        prepare();
        const std::string message = WriteFileAtomically(path, content);
        [[maybe_unused]] ssize_t sent = ::write(pipeEnds[1], message.data(), message.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string message;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, static_cast<size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return message;
}

TEST(WriteFileAtomically, ReplacesTheFileKeepingItsPermissionsAndOnRequestItsTimes)
{
    Folder folder;
    const fs::path old = folder.path / "old.zvn";
    WriteFile(old, "old text");
    ::chmod(old.c_str(), 0640);
    const struct timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, old.c_str(), past, 0);

    EXPECT_EQ(WriteFileAtomically(old, "new text", true), "");
    EXPECT_EQ(ReadFile(old), "new text");
    struct stat info
    {
    };
    ::stat(old.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);

    EXPECT_EQ(WriteFileAtomically(old, "newer"), "");
    ::stat(old.c_str(), &info);
    EXPECT_GT(info.st_mtim.tv_sec, 1000000000); // without keepTimes the write's own time

    // A link keeps pointing at its target, which takes the content.
    const fs::path link = folder.path / "link.zvn";
    fs::create_symlink(old, link);
    EXPECT_EQ(WriteFileAtomically(link, "through the link"), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(old), "through the link");

    EXPECT_EQ(WriteFileAtomically(folder.path / "new.txt", ""), "");
    EXPECT_TRUE(fs::exists(folder.path / "new.txt"));
    EXPECT_EQ(folder.Entries(), 3u); // no temporary file left behind
}

struct FailureRow
{
    const char *name;
    const char *message;
    // Sets the scene in the folder; returns false (with a reason) where it cannot be set.
    std::function<bool(const fs::path &folder, std::string &skip)> scene;
    std::function<void()> inChild;
};

TEST(WriteFileAtomically, AFailedWriteIsReportedAndLeavesTheOldFileAsItWas)
{
    const std::string big(200000, 'x');
    const auto none = [](const fs::path &, std::string &) { return true; };
    const FailureRow rows[] = {
        {"a file size limit", "File too large", none,
         [] {
             std::signal(SIGXFSZ, SIG_IGN);
             const struct rlimit limit
             {
                 4096, 4096
             };
             ::setrlimit(RLIMIT_FSIZE, &limit);
         }},
        {"a full file system", "No space left on device",
         [](const fs::path &folder, std::string &skip) {
             if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0) {
                 skip = "cannot mount a small tmpfs here (needs root and mount rights)";
                 return false;
             }
             WriteFile(folder / "old.zvn", "old text");
             WriteFile(folder / "filler", std::string(60 * 1024, 'f'));
             return true;
         },
         [] {}},
        {"a read-only folder", "Permission denied",
         [](const fs::path &folder, std::string &) {
             ::chmod(folder.c_str(), 0555);
             return true;
         },
         [] {
             // root passes every permission check, so the write runs as nobody.
             if (::geteuid() == 0 && ::setgid(65534) == 0) [[maybe_unused]]
                 int dropped = ::setuid(65534);
         }},
    };
    for (const FailureRow &row : rows) {
        SCOPED_TRACE(row.name);
        Folder folder;
        const fs::path old = folder.path / "old.zvn";
        WriteFile(old, "old text");
        std::string skip;
        if (!row.scene(folder.path, skip)) {
            std::cout << "[  SKIPPED ] " << row.name << ": " << skip << '\n';
            continue;
        }
        const size_t entries = folder.Entries();
        EXPECT_EQ(InChild(row.inChild, old, big), row.message);
        EXPECT_EQ(ReadFile(old), "old text");
        EXPECT_EQ(folder.Entries(), entries);
    }

    // Targets that cannot be replaced: a full device written in place, and a folder.
    EXPECT_EQ(WriteFileAtomically("/dev/full", "x"), "No space left on device");
    Folder folder;
    EXPECT_EQ(WriteFileAtomically(folder.path, "x"), "Is a directory");
    EXPECT_EQ(WriteFileAtomically(folder.path / "missing" / "x.zvn", "x"),
              "No such file or directory");
}

} // namespace
} // namespace zv

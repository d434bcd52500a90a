#include "export/atomicfile.h"

#include "tests/support/scratch.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace zv {
namespace {

namespace fs = std::filesystem;
using test::Folder;
using test::ReadFile;
using test::WriteFile;

TEST(WriteFileAtomically, ReplacesTheFileKeepingItsPermissionsAndOnRequestItsTimes)
{
    Folder folder;
    const fs::path old = folder.path / "old.zvn";
    WriteFile(old, "old text");
    ::chmod(old.c_str(), 0640);
    const struct timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, old.c_str(), past, 0);
    struct stat info = {};

    EXPECT_EQ(WriteFileAtomically(old, "new text", true), "");
    EXPECT_EQ(ReadFile(old), "new text");
    ::stat(old.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);
    EXPECT_EQ(WriteFileAtomically(old, "newer"), "");
    ::stat(old.c_str(), &info);
    EXPECT_GT(info.st_mtim.tv_sec, 1000000000); // without keepTimes the write's own time

    // A link keeps pointing at its target, which takes the content.
    fs::create_symlink(old, folder.path / "link.zvn");
    EXPECT_EQ(WriteFileAtomically(folder.path / "link.zvn", "through the link"), "");
    EXPECT_TRUE(fs::is_symlink(folder.path / "link.zvn"));
    EXPECT_EQ(ReadFile(old), "through the link");
    EXPECT_EQ(WriteFileAtomically(folder.path / "new.txt", ""), "");
    EXPECT_EQ(folder.Entries(), 3u); // the new file, and no temporary file left behind
}

// Each write runs in a child process, so that its limits and dropped identity stay there.
TEST(WriteFileAtomically, AFailedWriteIsReportedAndLeavesTheOldFileAsItWas)
{
    // Each scene runs in the child before the write; "skip: why" where it cannot be set.
    const std::tuple<const char *, const char *, std::function<std::string(const fs::path &)>>
        rows[] = {
            {"a file size limit", "File too large",
             [](const fs::path &) {
                 std::signal(SIGXFSZ, SIG_IGN);
                 const rlimit limit{4096, 4096};
                 ::setrlimit(RLIMIT_FSIZE, &limit);
                 return "";
             }},
            {"a full file system", "No space left on device",
             [](const fs::path &folder) {
                 if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0)
                     return "skip: cannot mount a small tmpfs here (needs root and mount rights)";
                 WriteFile(folder / "old.zvn", "old text");
                 WriteFile(folder / "filler", std::string(60 * 1024, 'f'));
                 return "";
             }},
            {"a read-only folder", "Permission denied",
             [](const fs::path &folder) { // root passes every permission check: run as nobody
                 if (::chmod(folder.c_str(), 0555) != 0)
                     return "skip: chmod";
                 if (::geteuid() == 0 && ::setgid(65534) == 0) [[maybe_unused]]
                     int dropped = ::setuid(65534);
                 return "";
             }},
        };
    for (const auto &[name, expected, scene] : rows) {
        SCOPED_TRACE(name);
        Folder folder;
        const fs::path old = folder.path / "old.zvn";
        WriteFile(old, "old text");
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        if (::fork() == 0) {
            std::string message = scene(folder.path);
            if (message.empty())
                message = WriteFileAtomically(old, std::string(200000, 'x'));
            [[maybe_unused]] ssize_t sent = ::write(pipeEnds[1], message.data(), message.size());
            ::_exit(0);
        }
        ::close(pipeEnds[1]);
        char message[256] = {};
        [[maybe_unused]] ssize_t got = ::read(pipeEnds[0], message, sizeof message - 1);
        ::close(pipeEnds[0]);
        ::wait(nullptr);
        if (std::string_view(message).starts_with("skip: ")) {
            std::cout << "[  SKIPPED ] " << name << ": " << message + 6 << '\n';
            continue;
        }
        EXPECT_STREQ(message, expected);
        EXPECT_EQ(ReadFile(old), "old text");
        EXPECT_EQ(folder.Entries(), 1u + fs::exists(folder.path / "filler")); // no temporary file
    }

    // Targets that cannot be replaced: a full device written in place, a folder, no folder.
    EXPECT_EQ(WriteFileAtomically("/dev/full", "x"), "No space left on device");
    Folder folder;
    EXPECT_EQ(WriteFileAtomically(folder.path, "x"), "Is a directory");
    EXPECT_EQ(WriteFileAtomically(folder.path / "missing" / "x.zvn", "x"),
              "No such file or directory");
}

} // namespace
} // namespace zv

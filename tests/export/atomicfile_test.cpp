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
    struct stat info
    {
    };

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
    const struct
    {
        const char *name, *message;
        std::function<std::string(const fs::path &folder)> scene; // a reason to skip, or ""
        std::function<void()> inChild;
    } rows[] = {
        {"a file size limit", "File too large", [](const fs::path &) { return ""; },
         [] {
             std::signal(SIGXFSZ, SIG_IGN);
             const struct rlimit limit
             {
                 4096, 4096
             };
             ::setrlimit(RLIMIT_FSIZE, &limit);
         }},
        {"a full file system", "No space left on device",
         [](const fs::path &folder) {
             if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0)
                 return "cannot mount a small tmpfs here (needs root and mount rights)";
             WriteFile(folder / "old.zvn", "old text");
             WriteFile(folder / "filler", std::string(60 * 1024, 'f'));
             return "";
         },
         [] {}},
        {"a read-only folder", "Permission denied",
         [](const fs::path &folder) { return ::chmod(folder.c_str(), 0555) == 0 ? "" : "chmod"; },
         [] { // root passes every permission check, so the write runs as nobody
             if (::geteuid() == 0 && ::setgid(65534) == 0) [[maybe_unused]]
                 int dropped = ::setuid(65534);
         }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        Folder folder;
        const fs::path old = folder.path / "old.zvn";
        WriteFile(old, "old text");
        if (const std::string skip = row.scene(folder.path); !skip.empty()) {
            std::cout << "[  SKIPPED ] " << row.name << ": " << skip << '\n';
            continue;
        }
        const size_t entries = folder.Entries();
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        if (::fork() == 0) {
            row.inChild();
            const std::string message = WriteFileAtomically(old, std::string(200000, 'x'));
            [[maybe_unused]] ssize_t sent = ::write(pipeEnds[1], message.data(), message.size());
            ::_exit(0);
        }
        ::close(pipeEnds[1]);
        char message[256] = {};
        [[maybe_unused]] ssize_t got = ::read(pipeEnds[0], message, sizeof message - 1);
        ::close(pipeEnds[0]);
        ::wait(nullptr);
        EXPECT_STREQ(message, row.message);
        EXPECT_EQ(ReadFile(old), "old text");
        EXPECT_EQ(folder.Entries(), entries);
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

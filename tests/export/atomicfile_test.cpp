#include "export/atomicfile.h"

#include "tests/support/scratch.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

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
    const struct timespec past[2] = {{900000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, old.c_str(), past, 0);
    struct stat info = {};

    EXPECT_EQ(WriteFileAtomically(old, "new text", true), "");
    ::stat(old.c_str(), &info); // before the reading below sets the access time
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(info.st_atim.tv_sec, 900000000);
    EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);
    EXPECT_EQ(ReadFile(old), "new text");
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

TEST(WriteFileAtomically, AFailedWriteIsReportedAndLeavesTheOldFileAsItWas)
{
    for (const auto &[scene, expected] : {std::pair{"a file size limit", "File too large"},
                                          {"a full file system", "No space left on device"},
                                          {"a read-only folder", "Permission denied"}}) {
        SCOPED_TRACE(scene);
        const std::string_view name = scene;
        Folder folder;
        const fs::path old = folder.path / "old.zvn";
        const bool full = name == "a full file system";
        if (full && !test::MountFullDisk(folder.path, {{"old.zvn", "old text"}})) {
            std::cout << "[  SKIPPED ] cannot mount a small file system here\n";
            continue;
        }
        if (!full)
            WriteFile(old, "old text");
        if (name == "a read-only folder")
            ::chmod(folder.path.c_str(), 0555);
        rlimit limit = {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit unlimited = limit;
        if (name == "a file size limit") {
            std::signal(SIGXFSZ, SIG_IGN);
            limit.rlim_cur = 4096;
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::string message;
        {
            const test::AsNobody nobody(name == "a read-only folder");
            message = WriteFileAtomically(old, std::string(200000, 'x'));
        }
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        EXPECT_EQ(message, expected);
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

// The bad-input catalogue at the batch export's door: zerovane -x with projects that cannot be
// read, and with picture and results that cannot be written.
#include "clirunner.h"

#include "tests/support/badprojects.h"
#include "tests/support/cases.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#ifdef ZV_GUI_PATH

namespace {

using namespace zv::test;

// No display, the C locale, and a bound on time, so that a run that waits fails instead.
const char *const kBatch = "timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY LC_ALL=C";

CliRun RunBatch(const fs::path &project, bool asNobody)
{
    return RunProgram((asNobody ? AsNobody::CommandPrefix() : "") + kBatch, ZV_GUI_PATH,
                      {"-x", project.string()}, true);
}

TEST(BadBatch, ProjectsThatCannotBeReadEndTheRunWithOneLine)
{
    ForEachCase(BadProjects(), [](const BadProject &row) {
        const ScratchFolder folder;
        const fs::path project = row.make(folder.path);
        const PipeReleaser release(project);
        const CliRun run = RunBatch(project, row.asNobody);
        const bool opens = row.message == 0;
        const std::string failure =
            row.message == 6 ? "Equation has an invalid syntax." : row.failure;
        EXPECT_EQ(run.out, opens ? ""
                                 : "zerovane: project not read: " + project.string() + ": " +
                                       failure + "\n");
        EXPECT_EQ(run.exitCode, opens ? 0 : 1);
        // The picture and the results beside the project, whatever letters its path has.
        EXPECT_EQ(fs::exists(project.string() + ".jpg"), opens);
        EXPECT_EQ(FileBytes(project.string() + ".txt").rfind("x-1 = 0\r\n[0 ; 3]\r\n", 0) == 0,
                  opens);
    });
    // No run, the one with the 100 MB line included, held more than a fraction of that.
    struct rusage children
    {
    };
    ::getrusage(RUSAGE_CHILDREN, &children);
    EXPECT_LT(children.ru_maxrss / 1024, 64);
}

TEST(BadBatch, PictureAndResultsOntoAFullDiskOrIntoALockedFolderKeepTheOldFiles)
{
    const struct
    {
        const char *name;
        bool fullDisk; // or else a read-only folder
        const char *failure;
    } rows[] = {
        {"a full file system", true, "No space left on device"},
        {"a read-only folder", false, "Permission denied"},
    };
    ForEachCase(rows, [](const auto &row) {
        const ScratchFolder folder;
        if (row.fullDisk) {
            if (const std::string skip = MountSmallFileSystem(folder.path); !skip.empty()) {
                std::cout << "[  SKIPPED ] " << row.name << ": " << skip << '\n';
                return;
            }
        }
        const fs::path project = folder.path / "eq.zvn";
        WriteBytes(project, kGoodProject);
        WriteBytes(folder.path / "eq.zvn.jpg", "old picture");
        WriteBytes(folder.path / "eq.zvn.txt", "old results");
        if (row.fullDisk)
            FillUp(folder.path);
        else
            fs::permissions(folder.path, fs::perms::owner_write, fs::perm_options::remove);

        const CliRun run = RunBatch(project, !row.fullDisk);
        EXPECT_EQ(run.out, "zerovane: picture not written: " + project.string() +
                               ".jpg: " + row.failure + "\n");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(FileBytes(folder.path / "eq.zvn.jpg"), "old picture");
        EXPECT_EQ(FileBytes(folder.path / "eq.zvn.txt"), "old results");
    });
}

} // namespace

#endif

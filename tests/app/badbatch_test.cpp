// The bad-input catalogue at the batch export's door: zerovane -x with projects that cannot be
// read, and with picture and results that cannot be written.
#include "clirunner.h"

#include "tests/support/badprojects.h"
#include "tests/support/cases.h"

#include <gtest/gtest.h>

#ifdef ZV_GUI_PATH

namespace {

using namespace zv::test;

// No display, the C locale, and a bound on time, so that a run that waits fails instead.
const char *const kBatch = "timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY LC_ALL=C";

CliRun RunBatch(const fs::path &project, bool asNobody)
{
    return RunProgram(AsNobody::CommandPrefix(asNobody) + kBatch, ZV_GUI_PATH,
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
}

TEST(BadBatch, PictureAndResultsOntoAFullDiskOrIntoALockedFolderKeepTheOldFiles)
{
    ForEachCase(kWritePlaces, [](const WritePlace &place) {
        const ScratchFolder folder;
        if (!MakeWritePlace(folder.path, place,
                            {{"eq.zvn", kGoodProject},
                             {"eq.zvn.jpg", "old picture"},
                             {"eq.zvn.txt", "old results"}})) {
            return;
        }
        const fs::path project = folder.path / "eq.zvn";
        const CliRun run = RunBatch(project, !place.fullDisk);
        EXPECT_EQ(run.out, "zerovane: picture not written: " + project.string() +
                               ".jpg: " + place.failure + "\n");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(FileBytes(folder.path / "eq.zvn.jpg"), "old picture");
        EXPECT_EQ(FileBytes(folder.path / "eq.zvn.txt"), "old results");
    });
}

} // namespace

#endif

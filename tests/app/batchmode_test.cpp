#include "clirunner.h"

#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#ifdef ZV_GUI_PATH

namespace {

namespace fs = std::filesystem;
using zv::test::Folder;
using zv::test::ReadFile;

// Every run is bounded, so that a run that waits for a click fails instead of hanging.
const char *const kNoDisplay = "timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";

// Without a display the program says so in one line and ends with status 1, instead of
// aborting inside Qt (status 134 and a core file).
TEST(ZerovaneWithoutDisplay, SaysSoAndEndsWithStatusOne)
{
    for (const char *environment : {
             kNoDisplay,
             "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:97",          // no server there
             "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=localhost:97", // nor over TCP
             "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=wayland",      // a missing plug-in
         }) {
        const CliRun run = RunProgram(environment, ZV_GUI_PATH, {}, true);
        EXPECT_EQ(run.exitCode, 1) << environment;
        EXPECT_NE(run.out.find("zerovane: no display"), std::string::npos)
            << environment << run.out;
    }
}

TEST(ZerovaneBatchMode, WritesBothFilesWithoutADisplayOrSaysWhatFailed)
{
    // The shell's commands before the run (DIR: the folder, where eq.zvn is a copy of sample 1),
    // the exit code, the line on stderr (PATH: the project), and whether eq.zvn.jpg and
    // eq.zvn.txt are there afterwards.
    const auto none = [](const char *scene) { return std::string(scene) + kNoDisplay; };
    const std::tuple<const char *, std::string, int, std::string, bool, bool> rows[] = {
        {"both files", none(""), 0, "", true, true},
        {"a display that does not answer",
         "timeout 60 env -u WAYLAND_DISPLAY DISPLAY=:97 QT_QPA_PLATFORM=xcb", 0, "", true, true},
        {"an invalid equation", none("sed -i 's/3^x-x^3/x^^2/' DIR/eq.zvn; "), 1,
         "project not read: PATH: Equation has an invalid syntax.", false, false},
        {"a missing project", none("rm DIR/eq.zvn; "), 1,
         "project not read: PATH: No such file or directory", false, false},
        {"a missing project on the offscreen platform: no box waits",
         "rm DIR/eq.zvn; timeout 60 env QT_QPA_PLATFORM=offscreen", 1,
         "project not read: PATH: No such file or directory", false, false},
        {"the picture on a full device", none("ln -s /dev/full DIR/eq.zvn.jpg; "), 1,
         "picture not written: PATH.jpg: No space left on device", false, false},
        {"the results where a folder stands", none("mkdir DIR/eq.zvn.txt; "), 1,
         "results not written: PATH.txt: Is a directory", true, false},
        // The picture's write fails half-way: the old picture survives whole.
        {"a file size limit", none("printf 'old picture' > DIR/eq.zvn.jpg; ulimit -f 4; "), 1,
         "picture not written: PATH.jpg: File too large", false, false},
    };
    for (auto [name, command, exitCode, line, picture, results] : rows) {
        SCOPED_TRACE(name);
        // Blanks and letters beyond ASCII in the path reach the program as typed.
        Folder scratch;
        const fs::path dir = scratch.path / "Proiecte și ecuații", project = dir / "eq.zvn";
        fs::create_directory(dir);
        fs::copy_file(ZV_EXAMPLES_DIR "/sample1.zvn", project);
        for (size_t at; (at = command.find("DIR")) != std::string::npos;)
            command.replace(at, 3, ShellQuoted(dir.string()));
        const CliRun run = RunProgram(command, ZV_GUI_PATH, {"-x", project.string()}, true);
        EXPECT_EQ(run.exitCode, exitCode);
        if (const size_t at = line.find("PATH"); at != std::string::npos)
            line = "zerovane: " + line.replace(at, 4, project.string()) + "\n";
        EXPECT_EQ(run.out, line);
        const std::string jpeg = ReadFile(dir / "eq.zvn.jpg");
        EXPECT_EQ(jpeg.rfind("\xFF\xD8\xFF", 0) == 0, picture) << jpeg.size();
        EXPECT_TRUE(picture || !fs::is_regular_file(dir / "eq.zvn.jpg") || jpeg == "old picture");
        EXPECT_EQ(ReadFile(dir / "eq.zvn.txt").rfind("3^x-x^3 = 0\r\n[0 ; 6]\r\n", 0) == 0,
                  results);
    }
}

TEST(MakeRunWithoutADisplay, ExportsACopyOfASampleInTheBuildFolderAndPrintsTheResults)
{
    const CliRun run = RunProgram(std::string(kNoDisplay) + " sh", ZV_SOURCE_DIR "/app/run.sh",
                                  {ZV_BUILD_DIR}, true);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const std::string copy = (fs::path(ZV_BUILD_DIR) / "run" / "sample1.zvn").string();
    EXPECT_NE(run.out.find("Picture: " + copy + ".jpg\nResults: " + copy + ".txt\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("3^x-x^3 = 0\n[0 ; 6]\n\n 2 roots : \n2.478053\n3\n"),
              std::string::npos);
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    EXPECT_EQ(ReadFile(copy + ".jpg").rfind("\xFF\xD8\xFF", 0), 0u);
    // Nothing lands among the bundled samples.
    EXPECT_FALSE(fs::exists(ZV_EXAMPLES_DIR "/sample1.zvn.jpg"));
    EXPECT_FALSE(fs::exists(ZV_EXAMPLES_DIR "/sample1.zvn.txt"));
}

} // namespace

#endif

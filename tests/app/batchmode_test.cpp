#include "clirunner.h"

#include "tests/support/scratch.h"

#include <functional>
#include <gtest/gtest.h>

#ifdef ZV_GUI_PATH

namespace {

namespace fs = std::filesystem;
using zv::test::Folder;
using zv::test::ReadFile;

// Every run is bounded, so that a run that waits for a click fails instead of hanging.
const char *const kNoDisplay = "timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";

TEST(ZerovaneBatchMode, WritesBothFilesWithoutADisplayOrSaysWhatFailed)
{
    const auto none = [](const fs::path &) {};
    const auto noProject = [](const fs::path &folder) { fs::remove(folder / "eq.zvn"); };
    const struct
    {
        const char *name;
        std::string prefix;
        std::function<void(const fs::path &folder)> scene; // eq.zvn is a copy of sample 1
        int exitCode;
        std::string stderrLine; // "PATH" stands for the project's path
        bool picture, results;  // eq.zvn.jpg and eq.zvn.txt written afterwards
    } rows[] = {
        {"both files", kNoDisplay, none, 0, "", true, true},
        {"a display that does not answer",
         "timeout 60 env -u WAYLAND_DISPLAY DISPLAY=:97 QT_QPA_PLATFORM=xcb", none, 0, "", true,
         true},
        {"an invalid equation", kNoDisplay,
         [](const fs::path &folder) {
             std::ofstream(folder / "eq.zvn") << "\"Zerovane\"\r\n\"x^^2\"\r\n\" 0\"\r\n\" 1\"\r\n";
         },
         1, "project not read: PATH: Equation has an invalid syntax.", false, false},
        {"a missing project", kNoDisplay, noProject, 1,
         "project not read: PATH: No such file or directory", false, false},
        {"a missing project on the offscreen platform: no box waits",
         "timeout 60 env QT_QPA_PLATFORM=offscreen", noProject, 1,
         "project not read: PATH: No such file or directory", false, false},
        {"the picture on a full device", kNoDisplay,
         [](const fs::path &folder) { fs::create_symlink("/dev/full", folder / "eq.zvn.jpg"); }, 1,
         "picture not written: PATH.jpg: No space left on device", false, false},
        {"the results where a folder stands", kNoDisplay,
         [](const fs::path &folder) { fs::create_directory(folder / "eq.zvn.txt"); }, 1,
         "results not written: PATH.txt: Is a directory", true, false},
        // The picture's write fails half-way: the old picture survives whole.
        {"a file size limit", std::string("ulimit -f 4; ") + kNoDisplay,
         [](const fs::path &folder) { std::ofstream(folder / "eq.zvn.jpg") << "old picture"; }, 1,
         "picture not written: PATH.jpg: File too large", false, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        Folder folder;
        const fs::path project = folder.path / "eq.zvn";
        fs::copy_file(ZV_EXAMPLES_DIR "/sample1.zvn", project);
        row.scene(folder.path);

        const CliRun run = RunProgram(row.prefix, ZV_GUI_PATH, {"-x", project.string()}, true);
        EXPECT_EQ(run.exitCode, row.exitCode);
        std::string expected = row.stderrLine;
        if (const size_t at = expected.find("PATH"); at != std::string::npos)
            expected = "zerovane: " + expected.replace(at, 4, project.string()) + "\n";
        EXPECT_EQ(run.out, expected);
        const std::string picture = ReadFile(folder.path / "eq.zvn.jpg");
        EXPECT_EQ(picture.rfind("\xFF\xD8\xFF", 0) == 0, row.picture) << picture.size();
        if (!row.picture && fs::is_regular_file(folder.path / "eq.zvn.jpg")) {
            EXPECT_EQ(picture, "old picture");
        }
        EXPECT_EQ(ReadFile(folder.path / "eq.zvn.txt").rfind("3^x-x^3 = 0\r\n[0 ; 6]\r\n", 0) == 0,
                  row.results);
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

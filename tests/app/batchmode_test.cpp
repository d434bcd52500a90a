#include "clirunner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

#ifdef ZV_GUI_PATH

namespace {

namespace fs = std::filesystem;

// The content of a regular file; "" for anything else (a link to /dev/full never ends).
std::string ReadFile(const fs::path &path)
{
    if (!fs::is_regular_file(path))
        return {};
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Folder
{
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "zv-batch-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~Folder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

// Every run is bounded, so that a run that waits for a click fails instead of hanging.
const char *const kNoDisplay = "timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";

struct BatchRow
{
    const char *name;
    std::string prefix;
    // Prepares the folder; the project is eq.zvn in it, a copy of the first sample.
    std::function<void(const fs::path &folder)> scene;
    int exitCode;
    std::string stderrLine; // with "PATH" for the project's path
    bool picture;           // eq.zvn.jpg holds a new picture afterwards
    bool results;           // eq.zvn.txt holds the results afterwards
};

TEST(ZerovaneBatchMode, WritesBothFilesWithoutADisplayOrSaysWhatFailed)
{
    const auto none = [](const fs::path &) {};
    const BatchRow rows[] = {
        {"both files", kNoDisplay, none, 0, "", true, true},
        {"a display that does not answer",
         "timeout 60 env -u WAYLAND_DISPLAY DISPLAY=:97 "
         "QT_QPA_PLATFORM=xcb",
         none, 0, "", true, true},
        {"an invalid equation", kNoDisplay,
         [](const fs::path &folder) {
             std::ofstream(folder / "eq.zvn") << "\"Zerovane\"\r\n\"x^^2\"\r\n\" 0\"\r\n\" 1\"\r\n";
         },
         1, "zerovane: project not read: PATH: Equation has an invalid syntax.\n", false, false},
        {"a missing project", kNoDisplay,
         [](const fs::path &folder) { fs::remove(folder / "eq.zvn"); }, 1,
         "zerovane: project not read: PATH: No such file or directory\n", false, false},
        {"an unreadable project on the offscreen platform: no box waits",
         "timeout 60 env QT_QPA_PLATFORM=offscreen",
         [](const fs::path &folder) { fs::remove(folder / "eq.zvn"); }, 1,
         "zerovane: project not read: PATH: No such file or directory\n", false, false},
        {"the picture on a full device", kNoDisplay,
         [](const fs::path &folder) { fs::create_symlink("/dev/full", folder / "eq.zvn.jpg"); }, 1,
         "zerovane: picture not written: PATH.jpg: No space left on device\n", false, false},
        {"the results where a folder stands", kNoDisplay,
         [](const fs::path &folder) { fs::create_directory(folder / "eq.zvn.txt"); }, 1,
         "zerovane: results not written: PATH.txt: Is a directory\n", true, false},
        // A file system that fills up: the old picture survives whole.
        {"a file size limit", std::string("ulimit -f 4; ") + kNoDisplay,
         [](const fs::path &folder) { std::ofstream(folder / "eq.zvn.jpg") << "old picture"; }, 1,
         "zerovane: picture not written: PATH.jpg: File too large\n", false, false},
    };
    for (const BatchRow &row : rows) {
        SCOPED_TRACE(row.name);
        Folder folder;
        const fs::path project = folder.path / "eq.zvn";
        fs::copy_file(ZV_EXAMPLES_DIR "/sample1.zvn", project);
        row.scene(folder.path);

        const CliRun run = RunProgram(row.prefix, ZV_GUI_PATH, {"-x", project.string()}, true);
        EXPECT_EQ(run.exitCode, row.exitCode);
        std::string expected = row.stderrLine;
        if (const size_t at = expected.find("PATH"); at != std::string::npos)
            expected.replace(at, 4, project.string());
        EXPECT_EQ(run.out, expected);

        const std::string picture = ReadFile(folder.path / "eq.zvn.jpg");
        EXPECT_EQ(picture.rfind("\xFF\xD8\xFF", 0) == 0, row.picture) << picture.size();
        if (fs::is_regular_file(folder.path / "eq.zvn.jpg") && !row.picture) {
            EXPECT_EQ(picture, "old picture");
        }
        EXPECT_EQ(ReadFile(folder.path / "eq.zvn.txt").rfind("3^x-x^3 = 0\r\n[0 ; 6]\r\n", 0) == 0,
                  row.results);
    }
}

TEST(MakeRunWithoutADisplay, ExportsACopyOfASampleInTheBuildFolderAndPrintsTheResults)
{
    const fs::path examples = ZV_EXAMPLES_DIR;
    const CliRun run = RunProgram(std::string(kNoDisplay) + " sh", ZV_SOURCE_DIR "/app/run.sh",
                                  {ZV_BUILD_DIR}, true);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const fs::path copy = fs::path(ZV_BUILD_DIR) / "run" / "sample1.zvn";
    EXPECT_NE(run.out.find("Picture: " + copy.string() + ".jpg\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Results: " + copy.string() + ".txt\n"), std::string::npos);
    EXPECT_NE(run.out.find("3^x-x^3 = 0\n[0 ; 6]\n\n 2 roots : \n2.478053\n3\n"),
              std::string::npos);
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    EXPECT_EQ(ReadFile(copy.string() + ".jpg").rfind("\xFF\xD8\xFF", 0), 0u);
    // Nothing lands among the bundled samples.
    EXPECT_FALSE(fs::exists(examples / "sample1.zvn.jpg"));
    EXPECT_FALSE(fs::exists(examples / "sample1.zvn.txt"));
}

} // namespace

#endif

#include "clirunner.h"

#include "tests/support/cases.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#ifdef ZV_GUI_PATH

namespace {

namespace fs = std::filesystem;
using zv::test::Folder;
using zv::test::ReadFile;

// The zerovane executable run as a user runs it, and the build's install and run scripts; the
// readers' and writers' failure catalogues live with their code, each door keeps one row.

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
        // Without a display the program runs offscreen, where no box may wait for a click.
        {"a missing project", none("rm DIR/eq.zvn; "), 1,
         "project not read: PATH: No such file or directory", false, false},
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
    // Nothing lands among the bundled samples (the copy's files may stay from an earlier run).
    EXPECT_FALSE(fs::exists(ZV_EXAMPLES_DIR "/sample1.zvn.jpg") ||
                 fs::exists(ZV_EXAMPLES_DIR "/sample1.zvn.txt"));
}

// The build installed once under a temporary prefix, as `cmake --install build --prefix ...`.
const fs::path &Installed()
{
    static const zv::test::Folder prefix;
    static const CliRun install =
        RunProgram("env -u DESTDIR", ZV_CMAKE,
                   {"--install", ZV_BUILD_DIR, "--prefix", prefix.path.string()}, true);
    EXPECT_EQ(install.exitCode, 0) << install.out;
    return prefix.path;
}

TEST(Installed, ProgramMenuEntryIconFileTypeAndDescriptionAreInPlaceAndValid)
{
    const fs::path share = Installed() / "share";
    const std::string id = ZV_APP_ID;
    const fs::path desktop = share / ("applications/" + id + ".desktop"),
                   metainfo = share / ("metainfo/" + id + ".metainfo.xml");
    for (const fs::path &file :
         {Installed() / "bin/zerovane", share / "icons/hicolor/scalable/apps" / (id + ".svg"),
          share / "icons/hicolor/96x96/apps" / (id + ".png"),
          share / "icons/hicolor/192x192/apps" / (id + ".png")})
        EXPECT_TRUE(fs::is_regular_file(file)) << file;
    // The entry starts the installed program with the file it is given, under our icon; the
    // install ran the file-type and menu cache tools, so that a .zvn file opens in Zerovane.
    const std::pair<fs::path, std::string> contents[] = {
        {desktop, "\nExec=zerovane %f\n"},
        {desktop, "\nIcon=" + id + "\n"},
        {desktop, "\nMimeType=application/x-zerovane-project;\n"},
        {metainfo, "<launchable type=\"desktop-id\">" + id + ".desktop"},
        {metainfo, "<screenshot type=\"default\">"},
        {share / "mime/globs2", ":application/x-zerovane-project:*.zvn"},
        {share / "mime/magic", "\"Zerovane\""},
        {share / "applications/mimeinfo.cache",
         "application/x-zerovane-project=" + id + ".desktop;"},
    };
    for (const auto &[file, text] : contents)
        EXPECT_NE(ReadFile(file).find(text), std::string::npos) << file << " lacks " << text;
    // Debian's validators accept the entry and the metainfo.
    const CliRun validated = RunProgram("", "desktop-file-validate", {desktop.string()}, true);
    EXPECT_EQ(validated.exitCode, 0) << validated.out;
    EXPECT_EQ(validated.out, "");
    const CliRun appstream =
        RunProgram("", "appstreamcli", {"validate", "--no-net", metainfo.string()}, true);
    EXPECT_EQ(appstream.exitCode, 0) << appstream.out;
}

// The start-up benchmark's switch: the program ends by itself, with status 0 and no question,
// once its first window is on the screen; unset, it stays open (and the timeout ends it).
TEST(QuitWhenShown, EndsOnceTheFirstWindowIsPaintedOnlyWhenAsked)
{
    const std::tuple<const char *, const char *, int> rows[] = {
        {"Asked", "timeout 60 env QT_QPA_PLATFORM=offscreen ZEROVANE_QUIT_WHEN_SHOWN=1", 0},
        {"NotAsked", "timeout 2 env -u ZEROVANE_QUIT_WHEN_SHOWN QT_QPA_PLATFORM=offscreen", 124},
    };
    zv::test::ForEachCase(rows, [](auto, const char *prefix, int exitCode) {
        EXPECT_EQ(RunProgram(prefix, ZV_GUI_PATH, {ZV_EXAMPLES_DIR "/sample1.zvn"}).exitCode,
                  exitCode);
    });
}

} // namespace

#endif

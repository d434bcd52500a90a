#include "clirunner.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#ifdef ZV_GUI_PATH

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The build installed under a temporary prefix, as `cmake --install build --prefix ...` does.
class Installed : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        std::string pattern = (fs::temp_directory_path() / "zv-install-XXXXXX").string();
        prefix = ::mkdtemp(pattern.data());
        install = RunProgram("env -u DESTDIR", ZV_CMAKE,
                             {"--install", ZV_BUILD_DIR, "--prefix", prefix.string()}, true);
    }
    static void TearDownTestSuite()
    {
        std::error_code ignored;
        fs::remove_all(prefix, ignored);
    }
    static fs::path Share(const std::string &file) { return prefix / "share" / file; }

    static inline fs::path prefix;
    static inline CliRun install;
    const std::string id = ZV_APP_ID;
};

TEST_F(Installed, TheProgramItsMenuEntryIconFileTypeAndDescriptionAreInPlace)
{
    ASSERT_EQ(install.exitCode, 0) << install.out;
    EXPECT_TRUE(fs::exists(prefix / "bin" / "zerovane"));
    const fs::path desktop = Share("applications/" + id + ".desktop");
    const std::string entry = ReadFile(desktop);
    // The entry starts the installed program with the file it is given, under our icon.
    EXPECT_NE(entry.find("\nExec=zerovane %f\n"), std::string::npos);
    EXPECT_NE(entry.find("\nIcon=" + id + "\n"), std::string::npos);
    EXPECT_NE(entry.find("\nMimeType=application/x-zerovane-project;\n"), std::string::npos);
    for (const std::string &icon : {"scalable/apps/" + id + ".svg", "96x96/apps/" + id + ".png",
                                    "192x192/apps/" + id + ".png"}) {
        EXPECT_TRUE(fs::is_regular_file(Share("icons/hicolor/" + icon))) << icon;
    }
}

TEST_F(Installed, DebiansValidatorsAcceptTheDesktopEntryAndTheMetainfo)
{
    ASSERT_EQ(install.exitCode, 0) << install.out;
    const CliRun desktop = RunProgram("", "desktop-file-validate",
                                      {Share("applications/" + id + ".desktop").string()}, true);
    EXPECT_EQ(desktop.exitCode, 0) << desktop.out;
    EXPECT_EQ(desktop.out, "");

    const fs::path metainfo = Share("metainfo/" + id + ".metainfo.xml");
    const CliRun appstream =
        RunProgram("", "appstreamcli", {"validate", "--no-net", metainfo.string()}, true);
    EXPECT_EQ(appstream.exitCode, 0) << appstream.out;
    const std::string description = ReadFile(metainfo);
    EXPECT_NE(description.find("<launchable type=\"desktop-id\">" + id + ".desktop"),
              std::string::npos);
    EXPECT_NE(description.find("<screenshot type=\"default\">"), std::string::npos);
}

TEST_F(Installed, AZvnFileIsAZerovaneProjectThatOpensInZerovane)
{
    ASSERT_EQ(install.exitCode, 0) << install.out;
    // The install ran the file-type and menu cache tools under its prefix.
    EXPECT_NE(ReadFile(Share("mime/globs2")).find(":application/x-zerovane-project:*.zvn"),
              std::string::npos);
    EXPECT_NE(ReadFile(Share("mime/magic")).find("\"Zerovane\""), std::string::npos);
    EXPECT_NE(ReadFile(Share("applications/mimeinfo.cache"))
                  .find("application/x-zerovane-project=" + id + ".desktop;"),
              std::string::npos);
}

} // namespace

#endif

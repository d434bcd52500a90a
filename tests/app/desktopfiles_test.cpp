#include "clirunner.h"

#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#ifdef ZV_GUI_PATH

namespace {

namespace fs = std::filesystem;
using zv::test::ReadFile;

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
    EXPECT_TRUE(fs::exists(Installed() / "bin" / "zerovane"));
    const fs::path desktop = share / ("applications/" + id + ".desktop");
    const std::string entry = ReadFile(desktop);
    // The entry starts the installed program with the file it is given, under our icon.
    EXPECT_NE(entry.find("\nExec=zerovane %f\n"), std::string::npos);
    EXPECT_NE(entry.find("\nIcon=" + id + "\n"), std::string::npos);
    EXPECT_NE(entry.find("\nMimeType=application/x-zerovane-project;\n"), std::string::npos);
    for (const std::string &icon : {"scalable/apps/" + id + ".svg", "96x96/apps/" + id + ".png",
                                    "192x192/apps/" + id + ".png"})
        EXPECT_TRUE(fs::is_regular_file(share / "icons/hicolor" / icon)) << icon;

    // Debian's validators accept the entry and the metainfo.
    const CliRun validated = RunProgram("", "desktop-file-validate", {desktop.string()}, true);
    EXPECT_EQ(validated.exitCode, 0) << validated.out;
    EXPECT_EQ(validated.out, "");
    const fs::path metainfo = share / ("metainfo/" + id + ".metainfo.xml");
    const CliRun appstream =
        RunProgram("", "appstreamcli", {"validate", "--no-net", metainfo.string()}, true);
    EXPECT_EQ(appstream.exitCode, 0) << appstream.out;
    const std::string description = ReadFile(metainfo);
    EXPECT_NE(description.find("<launchable type=\"desktop-id\">" + id + ".desktop"),
              std::string::npos);
    EXPECT_NE(description.find("<screenshot type=\"default\">"), std::string::npos);

    // The install ran the file-type and menu cache tools: a .zvn file opens in Zerovane.
    EXPECT_NE(ReadFile(share / "mime/globs2").find(":application/x-zerovane-project:*.zvn"),
              std::string::npos);
    EXPECT_NE(ReadFile(share / "mime/magic").find("\"Zerovane\""), std::string::npos);
    EXPECT_NE(ReadFile(share / "applications/mimeinfo.cache")
                  .find("application/x-zerovane-project=" + id + ".desktop;"),
              std::string::npos);
}

} // namespace

#endif

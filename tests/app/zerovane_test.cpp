#include "clirunner.h"

#include <gtest/gtest.h>

#ifdef ZV_GUI_PATH

// Without a display the program says so in one line and ends with status 1, instead of
// aborting inside Qt (status 134 and a core file).
TEST(ZerovaneWithoutDisplay, SaysSoAndEndsWithStatusOne)
{
    const char *const environments[] = {
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM",
        "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:97",          // no server there
        "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=localhost:97", // nor over TCP
        "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=wayland",      // a missing plug-in
    };
    for (const char *environment : environments) {
        const CliRun run = RunProgram(environment, ZV_GUI_PATH, {}, true);
        EXPECT_EQ(run.exitCode, 1) << environment;
        EXPECT_NE(run.out.find("zerovane: no display"), std::string::npos) << environment << "\n"
                                                                           << run.out;
    }
}

#endif

#include "clirunner.h"

#include <gtest/gtest.h>

#ifdef ZV_GUI_PATH

// The start-up benchmark's switch: the program ends by itself, with status 0 and no question,
// once its first window is on the screen; with the switch unset it stays open (and the timeout
// ends it).
TEST(QuitWhenShown, EndsOnceTheFirstWindowIsPaintedOnlyWhenAsked)
{
    const struct
    {
        const char *name;
        const char *prefix;
        int exitCode;
    } rows[] = {
        {"Asked", "timeout 60 env QT_QPA_PLATFORM=offscreen ZEROVANE_QUIT_WHEN_SHOWN=1", 0},
        {"NotAsked", "timeout 2 env -u ZEROVANE_QUIT_WHEN_SHOWN QT_QPA_PLATFORM=offscreen", 124},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const CliRun run = RunProgram(row.prefix, ZV_GUI_PATH, {ZV_EXAMPLES_DIR "/sample1.zvn"});
        EXPECT_EQ(run.exitCode, row.exitCode);
    }
}

#endif

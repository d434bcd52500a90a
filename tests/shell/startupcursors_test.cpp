#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "ui/cursoricons.h"

#include "tests/support/messagerecorder.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

// Each test runs in a process of its own under CTest, so nothing has loaded the pictures before.
TEST(StartUpCursors, LoadsTheEightCursorPictures)
{
    test::Recorder recorder; // answers the missing help file's message
    MainWindow main;
    ASSERT_TRUE(StartUp(main, {"zerovane"}));
    for (int number = kFirstCursorIcon; number <= kLastCursorIcon; ++number) {
        EXPECT_EQ(CursorIcon(number).shape(), Qt::BitmapCursor) << number;
    }
    recorder.answer = MessageAnswer::Yes;
    main.close();
}

} // namespace
} // namespace zv

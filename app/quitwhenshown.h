#pragma once

namespace zv {

// For timing start-up (bench/run.sh): when the environment variable ZEROVANE_QUIT_WHEN_SHOWN is
// set to 1, the program ends with status 0 as soon as its first window has been painted, so
// that the time from the command to a window on the screen can be measured from outside. Does
// nothing otherwise.
void QuitWhenShownIfAsked();

} // namespace zv

#pragma once

#include "ui/graphequation.h"

#include <cstdint>

namespace zv {

// The equation the next graph window starts with. Every opener fills all three fields right
// before the main window creates the window with it.
GraphEquation &PendingGraph();

// Graph windows opened so far. Increased before each new window, never decreased, so window
// numbers are not reused after windows close.
int16_t &GraphWindowCount();

} // namespace zv

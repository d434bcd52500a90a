#pragma once

#include <QString>
#include <cstdint>

namespace zv {

struct PendingGraphData
{
    QString function; // translated function text (or a sample's text as written)
    double a = 0.0;
    double b = 0.0;
};

// The equation the next graph window starts with. Every opener fills all three fields right
// before it creates the window, which copies them as it loads.
PendingGraphData &PendingGraph();

// Graph windows opened so far. Increased before each new window, never decreased, so window
// numbers are not reused after windows close.
int16_t &GraphWindowCount();

} // namespace zv

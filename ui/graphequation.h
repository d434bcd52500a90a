#pragma once

#include <QString>

namespace zv {

// One equation f(x) = 0 on [a; b] as a graph window is opened with it.
struct GraphEquation
{
    QString function; // translated function text (or a sample's text as written)
    double a = 0.0;
    double b = 0.0;
};

} // namespace zv

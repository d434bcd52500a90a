#pragma once

#include <array>

namespace zv {

// The seven equations of Help, Examples: the entry's caption, the function text as the graph
// window receives it (written in the checker's own form, so it is handed over unchecked) and
// the interval. Entry k (1..7) has the shortcut Shift+F<k>.
struct SampleEquation
{
    const char *caption;
    const char *function;
    double a;
    double b;
};

inline constexpr std::array<SampleEquation, 7> kSampleEquations{{
    {"&1.  3^x-x^3=0", "3^x-x^3", 0, 6},
    {"&2.  x^x-4=0", "x^x-4", 0, 6},
    {"&3.  2^x+3^x+6^x-x^2=0", "2^x+3^x+6^x-x^2", -10, 10},
    {"&4.  2^(2^x)+4^(4^x)-6^(6^x)=0", "2^(2^x)+4^(4^x)-6^(6^x)", -5, 5},
    {"&5.  (x+2)^2+(x+3)^3+(x+4)^4-2=0", "(x+2)^2+(x+3)^3+(x+4)^4-2", -6, 6},
    // The 15-digit decimal of pi, not pi itself: the interval is a little narrower.
    {"&6.  sin(x)-cos(x)=0", "sin(x)-cos(x)", -3.14159265358979, 3.14159265358979},
    {"&7.  arctg(x)+arctg(x^2)=0", "arctg(x)+arctg(x^2)", -3, 3},
}};

} // namespace zv

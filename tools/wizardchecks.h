#pragma once

#include <string>
#include <string_view>

namespace zv {

// Widths an interval of the wizard may have, both ends included.
inline constexpr double kWidestInterval = 500.0;
inline constexpr double kNarrowestInterval = 0.001;

// The equation page's check: the function f of f(x) = 0.
struct EquationCheck
{
    bool passed = false;
    std::u16string translated; // what the graph window is opened with (when passed)
    std::string errorText;     // shown in the page's error label on failure
    int caret = 0;             // 0-based, right before the faulty token
};

EquationCheck CheckEquation(std::u16string_view text);

// The interval page's check, in order: a and b pass the checker as constant expressions,
// both can be evaluated, a < b, and b - a lies from 0.001 to 500.
struct IntervalCheck
{
    enum Field { kBoundA, kBoundB };

    bool passed = false;
    double a = 0.0; // the interval (when passed)
    double b = 0.0;
    std::string errorText; // shown in the page's error label on failure
    Field focus = kBoundA; // the field that gets the focus on failure
    int caret = 0;         // 0-based caret there
};

IntervalCheck CheckInterval(std::u16string_view aText, std::u16string_view bText);

// Whether an equation, as typed, names abs, int or frac, which have no derivative at some
// points. Letter case counts, so Abs(x) is not found.
bool UsesUndifferentiableFunction(std::u16string_view equation);

} // namespace zv

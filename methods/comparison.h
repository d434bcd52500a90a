#pragma once

#include "methods/methodrun.h"

#include <string>
#include <vector>

namespace zv {

// What the methods are compared on.
struct MethodsInput
{
    std::u16string expression; // translated (CheckAndTranslate)
    double a = 0.0;            // the interval, a < b
    double b = 1.0;
    double tolerance = 1e-10; // on x, above 0
    double x0 = 0.5;          // the open methods' start
};

inline constexpr double kDefaultTolerance = 1e-10;

// Every method on the input, in the order of Method: bisection,
// regula falsi, Illinois, the secant from x0 and SecantSecondPoint, Newton from x0, Newton with
// the corrected step when Newton's errors showed a multiple root, Brent and SafeRoot. A method
// that fails ends on its own; the others still run.
std::vector<MethodRun> CompareMethods(const MethodsInput &input);

} // namespace zv

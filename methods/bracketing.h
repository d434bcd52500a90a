#pragma once

#include "methods/methodrun.h"

#include <string_view>

namespace zv {

// The bracketing methods on [a; b] (a < b) of a translated expression, each stopping once a
// step or the bracket is within tolerance, f is exactly 0, or kMaxSteps steps are made. Ends
// with f of one sign give kNoSignChange; an end where f is 0 is the root at once.

// Halves the bracket: each step keeps the half over which f changes sign.
MethodRun Bisection(std::u16string_view expression, double a, double b, double tolerance);
// The chord's zero: on a convex stretch one end never moves and the steps shrink only slowly.
MethodRun RegulaFalsi(std::u16string_view expression, double a, double b, double tolerance);
// The chord's zero, halving f at an end kept twice in a row so that it moves at last.
MethodRun Illinois(std::u16string_view expression, double a, double b, double tolerance);
// Brent's method: inverse quadratic interpolation or the secant, bisection when they step
// too little or leave the bracket.
MethodRun Brent(std::u16string_view expression, double a, double b, double tolerance);
// SafeRoot, the program's own search (Newton steps inside the bracket, halving otherwise),
// with the tolerance as its accuracy. Its last point is returned unevaluated (fx NaN).
MethodRun ZerovaneSearch(std::u16string_view expression, double a, double b, double tolerance);

} // namespace zv

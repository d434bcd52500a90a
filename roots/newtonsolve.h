#pragma once

#include <cstdint>
#include <string_view>

namespace zv {

enum NewtonStatus : int16_t {
    kNewtonExactRoot = 0,  // f is exactly 0 at the returned x
    kNewtonFailed = 1,     // f or f' could not be computed, or f' is 0; result 0
    kNewtonArithmetic = 2, // a step overflowed; result 0
    kNewtonSettled = 3,    // the step budget was spent and the iteration had settled
    kNewtonNotSettled = 4, // the step budget was spent without settling; the last x
};

inline constexpr int kNewtonMaxSteps = 100;
// Relative size of the last step below which a spent budget still counts as a root.
inline constexpr double kNewtonSettledStep = 1e-10;
// Corrected steps x - m f/f' allowed to finish a run that crept towards a multiple root.
inline constexpr int kNewtonFinishSteps = 20;
// |f| relative to where the corrected steps began, below which f counts as rounding only.
inline constexpr double kNewtonRoundingLevel = 1e-15;
// How much the corrected steps must have shrunk before steps that stop shrinking count as the
// numerical derivative's limit rather than a failure.
inline constexpr double kNewtonFinishShrink = 1e-3;

// Plain Newton steps x <- x - f(x)/f'(x) from x0 on a translated expression. A run that would
// end without a root (f' read 0, or the budget was spent unsettled) after its steps had shrunk
// by a steady ratio, as they do towards a root of multiplicity m, is finished from its last
// steady point with the steps x - m f/f'; the point they settle on is the result.
double NewtonSolve(std::u16string_view expression, double x0, int16_t &status);

} // namespace zv

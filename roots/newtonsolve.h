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

// Plain Newton steps x <- x - f(x)/f'(x) from x0 on a translated expression.
double NewtonSolve(std::u16string_view expression, double x0, int16_t &status);

} // namespace zv

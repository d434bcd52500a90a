#pragma once

#include "roots/countedfunction.h"

#include <cstdint>
#include <string_view>

namespace zv {

enum DerivativeZeroStatus : int16_t {
    kDerivativeZeroFound = 0,       // f' is exactly 0 at the returned point
    kDerivativeZeroFailed = 1,      // f' could not be computed at a trial point; result 0
    kDerivativeZeroArithmetic = 2,  // an arithmetic failure; result 0
    kDerivativeZeroBudgetSpent = 3, // iteration limit reached; the last trial point
};

inline constexpr int kDerivativeZeroMaxIterations = 50;
// Slopes at the two ends closer than this are too flat for false position: take the midpoint.
inline constexpr double kDerivativeZeroSlopeGap = 1e-5;

// False position on f' inside [a; b], over which f' is expected to change sign, falling back
// to the midpoint when the two slopes are almost equal.
double DerivativeZero(std::u16string_view expression, double a, double b, int16_t &status);

// The same on a counted function, for callers that report the work done.
double DerivativeZero(CountedFunction &f, double a, double b, int16_t &status);

} // namespace zv

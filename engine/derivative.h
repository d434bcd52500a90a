#pragma once

#include <cstdint>
#include <string_view>

namespace zv {

inline constexpr double kDerivativeStep = 0.000456;
// 1 / (12 * kDerivativeStep) written to 15 significant digits.
inline constexpr double kDerivativeScale = 182.748538011696;

// Five-point central difference of a translated expression at x, from f at x-2h, x-h, x+h,
// x+2h (evaluated in that order, stopping at the first failure). flag: 0 computed; 1 one of
// the points could not be evaluated or the formula overflowed (the result is then 0).
// When `evaluations` is given, it is increased by the evaluations of f really made (1 to 4).
// When `failure` is given and the flag is 1, it receives the error code of the point that
// failed, or kOverflow when the formula itself overflowed.
double Derivative(std::u16string_view expression, double x, int16_t &flag,
                  long *evaluations = nullptr, int16_t *failure = nullptr);

} // namespace zv

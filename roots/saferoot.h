#pragma once

#include "roots/countedfunction.h"

#include <cstdint>
#include <string_view>

namespace zv {

enum SafeRootStatus : int16_t {
    kSafeRootFound = 0,            // a root was returned
    kSafeRootEvaluationFailed = 1, // f or f' could not be computed inside the search
    kSafeRootNotConverged = 2,     // the iteration budget ran out; the last point is returned
    kSafeRootArithmeticFault = 3,  // a step overflowed; the last point is returned
};

inline constexpr int kSafeRootMaxIterations = 100;
// The accuracy the graph window's scan asks for.
inline constexpr double kScanAccuracy = 1e-7;

// Newton's method with a bisection safeguard inside [x1; x2] (either order), over which f is
// expected to change sign. Stops when a step is smaller than accuracy. Whatever the status,
// the last point reached is returned; only kSafeRootFound makes it a root.
double SafeRoot(std::u16string_view expression, double x1, double x2, double accuracy,
                int16_t &status);

// The same on a counted function, for callers that report the work done.
double SafeRoot(CountedFunction &f, double x1, double x2, double accuracy, int16_t &status);

} // namespace zv

#include "graph/curvesampling.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zv {
namespace {

// f(x) = x^2 - 4 on [-3; 3] in 6 steps, failing at both ends (where it would be 5).
TEST(FitVerticalRange, LeastAndGreatestOverTheSampledPointsFailuresLeftOut)
{
    const auto f = [](double x, int16_t &code) {
        code = std::fabs(x) > 2.9 ? 9 : 0;
        return x * x - 4;
    };
    // Whatever the pair held, and whichever way round.
    for (const auto &[lo, hi] : {std::pair{-3.0, 3.0}, {100.0, 200.0}, {7.0, -7.0}}) {
        double fitLo = lo, fitHi = hi;
        FitVerticalRange(f, -3, 3, 6, fitLo, fitHi);
        EXPECT_EQ(fitLo, -4) << lo << " " << hi;
        EXPECT_EQ(fitHi, 0) << lo << " " << hi;
    }
}

TEST(FitVerticalRange, NothingEvaluatedLeavesTheRangeEmpty)
{
    int calls = 0;
    const auto nowhere = [&calls](double, int16_t &code) {
        ++calls;
        code = 5;
        return 0.0;
    };
    for (const double start : {-2.0, 2.0}) {
        double lo = start, hi = -start;
        FitVerticalRange(nowhere, 0, 1, 10, lo, hi);
        EXPECT_EQ(lo, 2.0);
        EXPECT_EQ(hi, -2.0);
    }
    EXPECT_EQ(calls, 22); // precision + 1 points each time
}

} // namespace
} // namespace zv

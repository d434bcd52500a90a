#include "graph/curvesampling.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zv {
namespace {

struct FitRow
{
    const char *name;
    double lo, hi; // passed in
    double wantLo, wantHi;
};

// f(x) = x^2 - 4 on [-3; 3] in 6 steps, failing at x = 3 and, with its value 5, at x = -3.
TEST(FitVerticalRange, LeastAndGreatestOverTheSampledPoints)
{
    const auto f = [](double x, int16_t &code) {
        code = std::fabs(std::fabs(x) - 3) < 1e-9 ? 9 : 0;
        return x * x - 4;
    };
    const FitRow rows[] = {
        {"failed points left out", -3, 3, -4, 0},
        {"whatever the pair held", 100, 200, -4, 0},
        {"a pair passed the wrong way round", 7, -7, -4, 0},
    };
    for (const FitRow &row : rows) {
        SCOPED_TRACE(row.name);
        double lo = row.lo, hi = row.hi;
        FitVerticalRange(f, -3, 3, 6, lo, hi);
        EXPECT_EQ(lo, row.wantLo);
        EXPECT_EQ(hi, row.wantHi);
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
        EXPECT_GT(lo, hi) << start;
        EXPECT_EQ(std::fabs(lo), 2.0);
    }
    EXPECT_EQ(calls, 22); // precision + 1 points each time
}

} // namespace
} // namespace zv

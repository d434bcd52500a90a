#include "graph/curvesampling.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace zv {
namespace {

TEST(SampleCurve, TakesPrecisionPlusOneAccumulatedPoints)
{
    std::vector<double> xs;
    SampleCurve([&xs](double x, int16_t &code) { return xs.push_back(x), code = 0, 0.0; }, 0, 10,
                -1, 1, 100);
    ASSERT_EQ(xs.size(), 101u);
    EXPECT_EQ(xs.front(), 0.0);
    EXPECT_NEAR(xs[1], 0.1, 1e-15);
    EXPECT_NEAR(xs.back(), 10.0, 1e-12);
}

TEST(SampleCurve, BreaksAtFailuresAndOffRangeValues)
{
    // f(x) = x on [0; 10] in 10 steps, failing at 5 and not a number at 8.
    const auto f = [](double x, int16_t &code) {
        code = std::fabs(x - 5) < 1e-9 ? 7 : 0;
        return std::fabs(x - 8) < 1e-9 ? std::numeric_limits<double>::quiet_NaN() : x;
    };
    const std::tuple<const char *, double, double, std::vector<size_t>> rows[] = {
        {"whole range", 0, 10, {5, 2, 2}},
        {"top cut at 3.5", 0, 3.5, {4}},
        {"bottom cut at 1.5", 1.5, 10, {3, 2, 2}},
        {"middle cut out", 6.5, 6.6, {}},
        {"only 6 in range", 6, 6, {1}}};
    for (const auto &[name, yMin, yMax, pieceSizes] : rows) {
        std::vector<size_t> sizes;
        for (const auto &piece : SampleCurve(f, 0, 10, yMin, yMax, 10).pieces)
            sizes.push_back(piece.size());
        EXPECT_EQ(sizes, pieceSizes) << name;
    }
}

TEST(SampleCurve, ExtentStartsAtTheOppositeEndsOfTheView)
{
    // f = 0.5 on [0; 10] in 10 steps with the range [-1; 1], defined at one point only: one
    // visible point moves only the minima; nothing drawable keeps the start values.
    for (const auto &[definedAt, minX, maxX, minY, maxY] :
         {std::tuple{4.0, 4.0, 0.0, 0.5, -1.0}, {20.0, 10.0, 0.0, 1.0, -1.0}}) {
        const SampledCurve curve = SampleCurve(
            [at = definedAt](double x, int16_t &code) {
                return code = std::fabs(x - at) < 1e-9 ? 0 : 9, 0.5;
            },
            0, 10, -1, 1, 10);
        EXPECT_NEAR(curve.minX, minX, 1e-9) << definedAt;
        EXPECT_EQ(curve.maxX, maxX);
        EXPECT_EQ(curve.minY, minY);
        EXPECT_EQ(curve.maxY, maxY);
        EXPECT_FALSE(CurveTooSmall(curve, 0, 10, -1, 1)); // such extents span the view
    }
}

TEST(CurveTooSmall, OneEightiethOfTheWidthOrTheRange)
{
    // View [0; 80] x [0; 160]: the limits are 1 wide and 2 high.
    const std::tuple<double, double, double, double, bool> rows[] = {
        {0, 80, 0, 160, false}, {10, 11, 0, 160, false}, {10, 10.9, 0, 160, true},
        {0, 80, 5, 7, false},   {0, 80, 5, 6.9, true},   {10, 10, 3, 3, true}};
    for (const auto &[minX, maxX, minY, maxY, tooSmall] : rows) {
        EXPECT_EQ(CurveTooSmall({{}, minX, maxX, minY, maxY}, 0, 80, 0, 160), tooSmall)
            << minX << ".." << maxX << " x " << minY << ".." << maxY;
    }
}

TEST(FitVerticalRange, LeastAndGreatestOverTheSampledPointsFailuresLeftOut)
{
    // x^2 - 4 on [-3; 3] in 6 steps, failing at both ends (where it would be 5); whatever the
    // pair held before, and whichever way round.
    int calls = 0;
    const auto f = [&calls](double x, int16_t &code) {
        ++calls;
        return code = std::fabs(x) > 2.9 ? 9 : 0, x * x - 4;
    };
    for (auto [lo, hi] : {std::pair{-3.0, 3.0}, {100.0, 200.0}, {7.0, -7.0}}) {
        FitVerticalRange(f, -3, 3, 6, lo, hi);
        EXPECT_EQ(lo, -4);
        EXPECT_EQ(hi, 0);
    }
    EXPECT_EQ(calls, 3 * 7); // precision + 1 points each time
    // Nothing evaluated: an empty range, lo above hi.
    double lo = -2, hi = 2;
    FitVerticalRange([](double, int16_t &code) { return code = 5, 0.0; }, 0, 1, 10, lo, hi);
    EXPECT_EQ(lo, 2.0);
    EXPECT_EQ(hi, -2.0);
}

} // namespace
} // namespace zv

#include "graph/curvesampling.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace zv {
namespace {

TEST(SampleCurve, TakesPrecisionPlusOneAccumulatedPoints)
{
    std::vector<double> xs;
    const auto f = [&xs](double x, int16_t &code) {
        xs.push_back(x);
        code = 0;
        return 0.0;
    };
    SampleCurve(f, 0, 10, -1, 1, 100);
    ASSERT_EQ(xs.size(), 101u);
    EXPECT_EQ(xs.front(), 0.0);
    EXPECT_NEAR(xs[1], 0.1, 1e-15);
    EXPECT_NEAR(xs.back(), 10.0, 1e-12);
}

struct GapRow
{
    const char *name;
    double yMin, yMax;
    std::vector<size_t> pieceSizes;
};

// f(x) = x on [0; 10] in 10 steps, failing at 5 and not a number at 8.
TEST(SampleCurve, BreaksAtFailuresAndOffRangeValues)
{
    const auto f = [](double x, int16_t &code) {
        code = std::fabs(x - 5) < 1e-9 ? 7 : 0;
        return std::fabs(x - 8) < 1e-9 ? std::numeric_limits<double>::quiet_NaN() : x;
    };
    const GapRow rows[] = {
        {"whole range", 0, 10, {5, 2, 2}},
        {"top cut at 3.5", 0, 3.5, {4}},
        {"bottom cut at 1.5", 1.5, 10, {3, 2, 2}},
        {"middle cut out", 6.5, 6.6, {}},
        {"only 6 in range", 6, 6, {1}},
    };
    for (const GapRow &row : rows) {
        const SampledCurve curve = SampleCurve(f, 0, 10, row.yMin, row.yMax, 10);
        std::vector<size_t> sizes;
        for (const auto &piece : curve.pieces) {
            sizes.push_back(piece.size());
        }
        EXPECT_EQ(sizes, row.pieceSizes) << row.name;
    }
}

struct ExtentRow
{
    const char *name;
    double definedAt;
    double minX, maxX, minY, maxY;
};

TEST(SampleCurve, ExtentStartsAtTheOppositeEndsOfTheView)
{
    // f = 0.5 on [0; 10] in 10 steps with the range [-1; 1], defined at one point only.
    const ExtentRow rows[] = {
        {"one visible point moves only the minima", 4, 4, 0, 0.5, -1},
        {"nothing drawable keeps the start values", 20, 10, 0, 1, -1},
    };
    for (const ExtentRow &row : rows) {
        const auto f = [&row](double x, int16_t &code) {
            code = std::fabs(x - row.definedAt) < 1e-9 ? 0 : 9;
            return 0.5;
        };
        const SampledCurve curve = SampleCurve(f, 0, 10, -1, 1, 10);
        EXPECT_NEAR(curve.minX, row.minX, 1e-9) << row.name;
        EXPECT_EQ(curve.maxX, row.maxX) << row.name;
        EXPECT_EQ(curve.minY, row.minY) << row.name;
        EXPECT_EQ(curve.maxY, row.maxY) << row.name;
        // Such extents span the view, so no "too small" notice follows.
        EXPECT_FALSE(CurveTooSmall(curve, 0, 10, -1, 1)) << row.name;
    }
}

struct SmallRow
{
    double minX, maxX, minY, maxY;
    bool tooSmall;
};

TEST(CurveTooSmall, OneEightiethOfTheWidthOrTheRange)
{
    // View [0; 80] x [0; 160]: the limits are 1 wide and 2 high.
    const SmallRow rows[] = {
        {0, 80, 0, 160, false}, {10, 11, 0, 160, false}, {10, 10.9, 0, 160, true},
        {0, 80, 5, 7, false},   {0, 80, 5, 6.9, true},   {10, 10, 3, 3, true},
    };
    for (const SmallRow &row : rows) {
        SampledCurve curve;
        curve.minX = row.minX;
        curve.maxX = row.maxX;
        curve.minY = row.minY;
        curve.maxY = row.maxY;
        EXPECT_EQ(CurveTooSmall(curve, 0, 80, 0, 160), row.tooSmall)
            << row.minX << ".." << row.maxX << " x " << row.minY << ".." << row.maxY;
    }
}

} // namespace
} // namespace zv

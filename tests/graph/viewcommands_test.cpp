#include "graph/viewcommands.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace zv {
namespace {

constexpr double kHuge = std::numeric_limits<double>::max();

void ExpectView(const std::optional<ViewExtent> &got, const ViewExtent &want)
{
    ASSERT_TRUE(got.has_value());
    EXPECT_DOUBLE_EQ(got->a, want.a);
    EXPECT_DOUBLE_EQ(got->b, want.b);
    EXPECT_DOUBLE_EQ(got->yMin, want.yMin);
    EXPECT_DOUBLE_EQ(got->yMax, want.yMax);
}

struct ZoomRow
{
    const char *name;
    ViewExtent view;
    double factor;
    std::optional<ViewExtent> result;
};

TEST(Zoomed, ScalesAboutTheOriginOrRefuses)
{
    const ZoomRow rows[] = {
        {"in on [-4; 4]", {-4, 4, -4, 4}, kZoomInFactor, ViewExtent{-2, 2, -2, 2}},
        {"out on [1; 3] moves away from 0", {1, 3, -1, 1}, kZoomOutFactor, ViewExtent{2, 6, -2, 2}},
        {"in on [4; 6] is not about the centre",
         {4, 6, -1, 1},
         kZoomInFactor,
         ViewExtent{2, 3, -0.5, 0.5}},
        {"an empty fitted range stays empty", {0, 1, 3, 2}, kZoomOutFactor, ViewExtent{0, 2, 6, 4}},
        {"out beyond the double range", {1, kHuge, -1, 1}, kZoomOutFactor, std::nullopt},
        {"out to a width beyond the range",
         {-0.6 * kHuge, 0.6 * kHuge, -1, 1},
         kZoomOutFactor,
         std::nullopt},
        {"out with only the range too high", {-1, 1, -kHuge, 0}, kZoomOutFactor, std::nullopt},
        {"in until the width vanishes", {0, 4.9e-324, -1, 1}, kZoomInFactor, std::nullopt},
        {"a range without height may stay so",
         {-1, 1, 2, 2},
         kZoomInFactor,
         ViewExtent{-0.5, 0.5, 1, 1}},
    };
    for (const ZoomRow &row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<ViewExtent> zoomed = Zoomed(row.view, row.factor);
        if (!row.result) {
            EXPECT_FALSE(zoomed.has_value());
            continue;
        }
        ExpectView(zoomed, *row.result);
    }
}

struct BandRow
{
    const char *name;
    double x, y;
    EdgeBand band;
    int cursor;
};

TEST(ClassifyPosition, BandsCornersAndCursors)
{
    // [-4; 4] with the range [-4; 4]: the bands begin 0.08 inside each end.
    const ViewExtent view{-4, 4, -4, 4};
    const BandRow rows[] = {
        {"middle", 0, 0, {0, 0}, 0},
        {"at b, vertical middle", 4, 0, {1, 0}, 103},
        {"right margin", 4.3, 0, {1, 0}, 103},
        {"just inside the right threshold", 3.9199, 0, {0, 0}, 0},
        {"left band", -3.95, 1, {-1, 0}, 102},
        {"top band", 0.5, 3.95, {0, 1}, 104},
        {"bottom band", 0.5, -3.95, {0, -1}, 101},
        {"top-right corner", 4, 4, {1, 1}, 105},
        {"top-left corner", -4, 4, {-1, 1}, 106},
        {"bottom-right corner", 4, -4, {1, -1}, 107},
        {"bottom-left corner", -4, -4, {-1, -1}, 108},
    };
    for (const BandRow &row : rows) {
        SCOPED_TRACE(row.name);
        const EdgeBand band = ClassifyPosition(view, row.x, row.y);
        EXPECT_EQ(band, row.band);
        EXPECT_EQ(band.Inner(), row.cursor == 0);
        EXPECT_EQ(CursorNumber(band), row.cursor);
    }
}

TEST(ClassifyPosition, ThresholdsAreSinglePrecision)
{
    // b - 0.01 w = 0.99 is no single-precision number: the threshold becomes the float nearest
    // to it, just above 0.99, so 0.99 itself is not yet in the band.
    const ViewExtent view{0, 1, 0, 1};
    const double threshold = static_cast<float>(0.99);
    ASSERT_GT(threshold, 0.99);
    EXPECT_TRUE(ClassifyPosition(view, 0.5, 0.5).Inner());
    EXPECT_EQ(ClassifyPosition(view, 0.99, 0.5).horizontal, 0);
    EXPECT_EQ(ClassifyPosition(view, threshold, 0.5).horizontal, 1);
    EXPECT_EQ(ClassifyPosition(view, 0.5, 0.99).vertical, 0);
    EXPECT_EQ(ClassifyPosition(view, 0.5, threshold).vertical, 1);
    // Beyond the single range the thresholds keep their double values.
    const ViewExtent huge{1e300, 2e300, -1, 1};
    EXPECT_EQ(ClassifyPosition(huge, 1.5e300, 0).horizontal, 0);
    EXPECT_EQ(ClassifyPosition(huge, 1.995e300, 0).horizontal, 1);
    EXPECT_EQ(ClassifyPosition(huge, 1.005e300, 0).horizontal, -1);
}

struct MoveRow
{
    const char *name;
    ViewExtent view;
    EdgeBand band;
    std::optional<ViewExtent> result;
};

TEST(Moved, ATenthTowardsTheClickedEdge)
{
    const MoveRow rows[] = {
        {"right", {-4, 4, -2, 2}, {1, 0}, ViewExtent{-3.2, 4.8, -2, 2}},
        {"left", {-4, 4, -2, 2}, {-1, 0}, ViewExtent{-4.8, 3.2, -2, 2}},
        {"top", {-4, 4, -2, 2}, {0, 1}, ViewExtent{-4, 4, -1.6, 2.4}},
        {"bottom", {-4, 4, -2, 2}, {0, -1}, ViewExtent{-4, 4, -2.4, 1.6}},
        {"top-right corner does both", {-4, 4, -2, 2}, {1, 1}, ViewExtent{-3.2, 4.8, -1.6, 2.4}},
        {"bottom-left corner does both", {0, 10, 0, 1}, {-1, -1}, ViewExtent{-1, 9, -0.1, 0.9}},
        {"beyond the double range", {0.5 * kHuge, kHuge, -1, 1}, {1, 0}, std::nullopt},
        {"a width that overflowed", {-kHuge, kHuge, -1, 1}, {0, 1}, std::nullopt},
    };
    for (const MoveRow &row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<ViewExtent> moved = Moved(row.view, row.band);
        if (!row.result) {
            EXPECT_FALSE(moved.has_value());
            continue;
        }
        ExpectView(moved, *row.result);
    }
}

TEST(AnimationFrames, ThirtyOneScalingsAboutTheOrigin)
{
    const std::vector<ViewExtent> frames = AnimationFrames({-4, 4, -4, 4});
    ASSERT_EQ(frames.size(), 31u);
    const struct
    {
        size_t frame;
        double half;
    } rows[] = {{0, 0.646}, {19, 20.64}, {20, 24.77}, {29, 4.8}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.frame);
        EXPECT_NEAR(frames[row.frame].b, row.half, 0.005);
        EXPECT_DOUBLE_EQ(frames[row.frame].a, -frames[row.frame].b);
        EXPECT_DOUBLE_EQ(frames[row.frame].yMax, frames[row.frame].b);
    }
    // Each frame grows by 1.2 up to the 21st, then shrinks by 1.2.
    for (size_t i = 1; i < 30; ++i) {
        const double ratio = frames[i].b / frames[i - 1].b;
        EXPECT_NEAR(ratio, i <= 20 ? 1.2 : 1 / 1.2, 1e-12) << i;
    }
    // The last frame is the view; its range keeps the rounding of the arithmetic.
    EXPECT_EQ(frames[30].a, -4);
    EXPECT_EQ(frames[30].b, 4);
    EXPECT_NEAR(frames[30].yMax, 4, 1e-12);
    double y = 4 * kAnimationStartFactor;
    for (int i = 0; i < 20; ++i) {
        y *= 1.2;
    }
    for (int i = 0; i < 10; ++i) {
        y /= 1.2;
    }
    EXPECT_EQ(frames[30].yMax, y);
}

TEST(AnimationFrames, KeepTheOriginFixed)
{
    const std::vector<ViewExtent> frames = AnimationFrames({1, 3, -1, 1});
    ASSERT_EQ(frames.size(), 31u);
    for (const ViewExtent &frame : frames) {
        EXPECT_NEAR(frame.b / frame.a, 3.0, 1e-12);
    }
}

TEST(AnimationFrames, RefusedWhenAFrameWouldOverflow)
{
    // 1.2^10 times 1e308 does not fit a double.
    EXPECT_TRUE(AnimationFrames({-1, 1e308, -1, 1}).empty());
    EXPECT_TRUE(AnimationFrames({-1, 1, -1, 5e307}).empty());
    EXPECT_EQ(AnimationFrames({-1, 1e306, -1, 1}).size(), 31u);
}

} // namespace
} // namespace zv

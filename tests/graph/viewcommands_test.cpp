#include "graph/viewcommands.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

namespace zv {
namespace {

constexpr double kHuge = 1.7976931348623157e308;

using Step = std::function<std::optional<ViewExtent>(const ViewExtent &)>;
const Step kIn = [](const ViewExtent &v) { return Zoomed(v, kZoomInFactor); };
const Step kOut = [](const ViewExtent &v) { return Zoomed(v, kZoomOutFactor); };
Step Move(int horizontal, int vertical)
{
    return [=](const ViewExtent &v) { return Moved(v, {horizontal, vertical}); };
}

// A view as "a b yMin yMax" to 15 digits, or "refused".
std::string Text(const std::optional<ViewExtent> &view)
{
    char text[128] = "refused";
    if (view)
        std::snprintf(text, sizeof text, "%.15g %.15g %.15g %.15g", view->a, view->b, view->yMin,
                      view->yMax);
    return text;
}

TEST(ViewSteps, ZoomAboutTheOriginMoveByATenthOrRefuse)
{
    const std::tuple<const char *, Step, ViewExtent, std::optional<ViewExtent>> rows[] = {
        {"zoom in", kIn, {-4, 4, -4, 4}, ViewExtent{-2, 2, -2, 2}},
        {"zoom out moves away from 0", kOut, {1, 3, -1, 1}, ViewExtent{2, 6, -2, 2}},
        {"zoom in is not about the centre", kIn, {4, 6, -1, 1}, ViewExtent{2, 3, -0.5, 0.5}},
        {"an empty fitted range stays empty", kOut, {0, 1, 3, 2}, ViewExtent{0, 2, 6, 4}},
        {"a range without height may stay so", kIn, {-1, 1, 2, 2}, ViewExtent{-.5, .5, 1, 1}},
        {"right", Move(1, 0), {-4, 4, -2, 2}, ViewExtent{-3.2, 4.8, -2, 2}},
        {"left", Move(-1, 0), {-4, 4, -2, 2}, ViewExtent{-4.8, 3.2, -2, 2}},
        {"top", Move(0, 1), {-4, 4, -2, 2}, ViewExtent{-4, 4, -1.6, 2.4}},
        {"bottom-left corner does both", Move(-1, -1), {0, 10, 0, 1}, ViewExtent{-1, 9, -.1, .9}},
        // The overflow guard.
        {"zoom out beyond the double range", kOut, {1, kHuge, -1, 1}, std::nullopt},
        {"only the range too high", kOut, {-1, 1, -kHuge, 0}, std::nullopt},
        {"a plot wider than the range", kOut, {0, 0.85e308, -1, 1}, std::nullopt},
        {"zoom in until the width vanishes", kIn, {0, 4.9e-324, -1, 1}, std::nullopt},
        {"move beyond the range", Move(1, 0), {0.5 * kHuge, kHuge, -1, 1}, std::nullopt},
        {"move by a width that overflowed", Move(0, 1), {-kHuge, kHuge, -1, 1}, std::nullopt},
    };
    for (const auto &[name, step, view, result] : rows)
        EXPECT_EQ(Text(step(view)), Text(result)) << name;
}

TEST(ClassifyPosition, BandsCornersAndCursors)
{
    // [-4; 4] with the range [-4; 4]: the bands begin 0.08 inside each end.
    const std::tuple<double, double, int> rows[] = {
        // cursor 0: the inner area
        {0, 0, 0},       {4, 0, 103},      {4.3, 0, 103},     {3.9199, 0, 0},
        {-3.95, 1, 102}, {0.5, 3.95, 104}, {0.5, -3.95, 101}, {4, 4, 105},
        {-4, 4, 106},    {4, -4, 107},     {-4, -4, 108},
    };
    for (const auto &[x, y, cursor] : rows) {
        const EdgeBand band = ClassifyPosition({-4, 4, -4, 4}, x, y);
        EXPECT_EQ(CursorNumber(band), cursor) << x << ", " << y;
        EXPECT_EQ(band.Inner(), cursor == 0) << x << ", " << y;
    }
}

TEST(ClassifyPosition, ThresholdsAreSinglePrecision)
{
    // b - 0.01 w = 0.99 is no single-precision number; its threshold is the float just above.
    const double threshold = static_cast<float>(0.99);
    ASSERT_GT(threshold, 0.99);
    EXPECT_EQ(ClassifyPosition({0, 1, 0, 1}, 0.99, 0.99), (EdgeBand{0, 0}));
    EXPECT_EQ(ClassifyPosition({0, 1, 0, 1}, threshold, threshold), (EdgeBand{1, 1}));
    // Beyond the single range the thresholds keep their double values.
    EXPECT_EQ(ClassifyPosition({1e300, 2e300, -1, 1}, 1.5e300, 0), (EdgeBand{0, 0}));
    EXPECT_EQ(ClassifyPosition({1e300, 2e300, -1, 1}, 1.995e300, 0), (EdgeBand{1, 0}));
}

TEST(AnimationFrames, ThirtyOneScalingsAboutTheOrigin)
{
    const std::vector<ViewExtent> frames = AnimationFrames({-4, 4, -4, 4});
    ASSERT_EQ(frames.size(), 31u);
    EXPECT_NEAR(frames[0].b, 0.646, 0.0005);
    EXPECT_NEAR(frames[19].b, 20.64, 0.005);
    EXPECT_NEAR(frames[20].b, 24.77, 0.005);
    double y = 4 * kAnimationStartFactor;
    for (size_t i = 0; i < 30; ++i) {
        EXPECT_EQ(frames[i].yMax, y) << i;
        EXPECT_EQ(frames[i].a, -frames[i].b) << i;
        y = i < 20 ? y * 1.2 : y / 1.2;
    }
    // The last frame is the view, its range as the arithmetic leaves it.
    EXPECT_EQ(frames[30].b, 4);
    EXPECT_EQ(frames[30].yMax, y);
    EXPECT_NE(y, 4.0);
    // On [1; 3] the origin stays fixed: the interval slides towards 0 and back.
    for (const ViewExtent &frame : AnimationFrames({1, 3, -1, 1})) {
        EXPECT_NEAR(frame.b / frame.a, 3.0, 1e-12);
    }
    // 1.2^10 times 1e308 would overflow.
    EXPECT_TRUE(AnimationFrames({-1, 1e308, -1, 1}).empty());
    EXPECT_EQ(AnimationFrames({-1, 1e306, -1, 1}).size(), 31u);
}

} // namespace
} // namespace zv

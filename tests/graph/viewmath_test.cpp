#include "graph/viewmath.h"

#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <vector>

namespace zv {
namespace {

TEST(StandardVerticalRange, FollowsTheSignsOfTheEnds)
{
    // Straddling zero: the interval itself; otherwise centred on 0, as high as it is wide.
    const std::tuple<double, double, double, double> rows[] = {
        {-3, 5, -3, 5}, {1, 5, -2, 2},   {0, 4, -2, 2},
        {-4, 0, -4, 0}, {-5, -1, -2, 2}, {5, 1, 2, -2}}; // reversed: its width is negative
    for (const auto &[a, b, yMin, yMax] : rows) {
        const VerticalRange range = StandardVerticalRange(a, b);
        EXPECT_EQ(std::pair(range.yMin, range.yMax), std::pair(yMin, yMax)) << a << " " << b;
    }
}

TEST(PlotEdges, LeaveMarginsOrRefuseViewsWithoutSizeOrBeyondRange)
{
    const auto edges = PlotEdges(-3, 5, -2, 6);
    ASSERT_TRUE(edges.has_value());
    EXPECT_EQ((std::vector<float>{float(edges->left), float(edges->right), float(edges->top),
                                  float(edges->bottom)}),
              (std::vector<float>{-3.4f, 5.4f, 6.8f, -2.4f}));

    const double inf = std::numeric_limits<double>::infinity();
    const std::tuple<const char *, double, double, double, double> refused[] = {
        {"no width", 5, 5, -1, 1},
        {"no height", -1, 1, 3, 3},
        {"width overflows", -1e308, 1e308, -1, 1},
        {"height overflows", -1, 1, -1e308, 1e308},
        {"the right margin overflows", 0, 1.75e308, -1, 1},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), 1, -1, 1},
        {"infinite", -inf, inf, -1, 1}};
    for (const auto &[name, a, b, yMin, yMax] : refused)
        EXPECT_FALSE(PlotEdges(a, b, yMin, yMax).has_value()) << name;
}

TEST(WorldMapping, MapsYUpwardAndKeepsHugeValuesFinite)
{
    const WorldMapping mapping(WorldRect{-1, 1, 1, -1}, 200, 100);
    double px = 0, py = 0;
    ASSERT_TRUE(mapping.ToPixel(0.5, 0.5, px, py));
    EXPECT_DOUBLE_EQ(px, 150);
    EXPECT_DOUBLE_EQ(py, 25);
    ASSERT_TRUE(mapping.ToPixel(1e308, -1e308, px, py));
    EXPECT_EQ(px, WorldMapping::kPixelLimit);
    EXPECT_EQ(py, WorldMapping::kPixelLimit);
    EXPECT_FALSE(mapping.ToPixel(std::numeric_limits<double>::quiet_NaN(), 0, px, py));
}

// Each axis as "x1 y1 x2 y2" with " dashed" when zero is off the view and it runs along an edge.
std::string Describe(const AxisSegment &axis)
{
    std::ostringstream text;
    text << axis.x1 << ' ' << axis.y1 << ' ' << axis.x2 << ' ' << axis.y2
         << (axis.dashed ? " dashed" : "");
    return text.str();
}

TEST(AxisSegments, DashedAlongTheEdgeWhenZeroIsOffTheView)
{
    const std::tuple<double, double, double, double, const char *, const char *> rows[] = {
        {-3, 5, -3, 5, "-3 0 5 0", "0 -3 0 5"},
        {1, 5, -2, 2, "1 0 5 0", "1 -2 1 2 dashed"},
        {-5, -1, -2, 2, "-5 0 -1 0", "-1 -2 -1 2 dashed"},
        {-3, 5, 2, 6, "-3 2 5 2 dashed", "0 2 0 6"},
        {-3, 5, -6, -2, "-3 -2 5 -2 dashed", "0 -6 0 -2"},
        {0, 4, -2, 2, "0 0 4 0", "0 -2 0 2"}, // the interval ends at zero
    };
    for (const auto &[a, b, yMin, yMax, horizontal, vertical] : rows) {
        const auto axes = AxisSegments(a, b, yMin, yMax);
        EXPECT_EQ(Describe(axes[0]) + " | " + Describe(axes[1]),
                  std::string(horizontal) + " | " + vertical);
    }
}

} // namespace
} // namespace zv

#include "graph/viewmath.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace zv {
namespace {

struct RangeRow
{
    double a, b, yMin, yMax;
};

TEST(StandardVerticalRange, FollowsTheSignsOfTheEnds)
{
    const RangeRow rows[] = {
        {-3, 5, -3, 5},  // straddles zero: the interval itself
        {1, 5, -2, 2},   // both positive: centred on 0, as high as the interval is wide
        {0, 4, -2, 2},   // zero counts as not negative
        {-4, 0, -4, 0},  // so this one straddles
        {-5, -1, -2, 2}, // both negative
        {5, 1, 2, -2},   // reversed interval: its width is negative
    };
    for (const RangeRow &row : rows) {
        const VerticalRange range = StandardVerticalRange(row.a, row.b);
        EXPECT_EQ(range.yMin, row.yMin) << row.a << " " << row.b;
        EXPECT_EQ(range.yMax, row.yMax) << row.a << " " << row.b;
    }
}

TEST(PlotEdges, LeaveMarginsAroundTheView)
{
    const auto edges = PlotEdges(-3, 5, -2, 6);
    ASSERT_TRUE(edges.has_value());
    EXPECT_DOUBLE_EQ(edges->left, -3.4);
    EXPECT_DOUBLE_EQ(edges->right, 5.4);
    EXPECT_DOUBLE_EQ(edges->top, 6.8);
    EXPECT_DOUBLE_EQ(edges->bottom, -2.4);
}

TEST(PlotEdges, RefuseViewsWithoutSizeOrBeyondRange)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const RangeRow rows[] = {
        {5, 5, -1, 1},          // no width
        {-1, 1, 3, 3},          // no height
        {-1e308, 1e308, -1, 1}, // width overflows
        {-1, 1, -1e308, 1e308}, // height overflows
        {0, 1.75e308, -1, 1},   // the right margin overflows
        {nan, 1, -1, 1},        {-inf, inf, -1, 1},
    };
    for (const RangeRow &row : rows) {
        EXPECT_FALSE(PlotEdges(row.a, row.b, row.yMin, row.yMax).has_value())
            << row.a << " " << row.b << " " << row.yMin << " " << row.yMax;
    }
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

struct AxisRow
{
    const char *name;
    double a, b, yMin, yMax;
    AxisSegment horizontal, vertical;
};

TEST(AxisSegments, DashedAlongTheEdgeWhenZeroIsOffTheView)
{
    const AxisRow rows[] = {
        {"both through zero", -3, 5, -3, 5, {-3, 0, 5, 0, false}, {0, -3, 0, 5, false}},
        {"interval positive", 1, 5, -2, 2, {1, 0, 5, 0, false}, {1, -2, 1, 2, true}},
        {"interval negative", -5, -1, -2, 2, {-5, 0, -1, 0, false}, {-1, -2, -1, 2, true}},
        {"range positive", -3, 5, 2, 6, {-3, 2, 5, 2, true}, {0, 2, 0, 6, false}},
        {"range negative", -3, 5, -6, -2, {-3, -2, 5, -2, true}, {0, -6, 0, -2, false}},
        {"interval ends at zero", 0, 4, -2, 2, {0, 0, 4, 0, false}, {0, -2, 0, 2, false}},
    };
    for (const AxisRow &row : rows) {
        const auto axes = AxisSegments(row.a, row.b, row.yMin, row.yMax);
        const AxisSegment *expected[] = {&row.horizontal, &row.vertical};
        for (int i = 0; i < 2; ++i) {
            SCOPED_TRACE(std::string(row.name) + (i == 0 ? ", horizontal" : ", vertical"));
            EXPECT_EQ(axes[i].x1, expected[i]->x1);
            EXPECT_EQ(axes[i].y1, expected[i]->y1);
            EXPECT_EQ(axes[i].x2, expected[i]->x2);
            EXPECT_EQ(axes[i].y2, expected[i]->y2);
            EXPECT_EQ(axes[i].dashed, expected[i]->dashed);
        }
    }
}

} // namespace
} // namespace zv

#include "graph/plotpainter.h"
#include "pixelprobe.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace zv {
namespace {

using test::IsRed;
using test::PixelOf;

struct Painted
{
    QImage layer;
    WorldMapping mapping;
    bool tooSmall = false;
};

Painted Paint(const PlotView &view, WorldMapping mapping = {})
{
    Painted result{QImage(319, 319, QImage::Format_ARGB32_Premultiplied), mapping};
    result.layer.fill(Qt::transparent);
    QPainter painter(&result.layer);
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    result.tooSmall = PaintPlot(painter, view, result.mapping);
    return result;
}

// Share of the pixels along a world segment (an axis) that are black, allowing for rounding
// across the line but not along it, or the gaps would be bridged.
double BlackShare(const Painted &p, double x1, double y1, double x2, double y2)
{
    const QPoint from = PixelOf(p.mapping, x1, y1), to = PixelOf(p.mapping, x2, y2);
    const QPoint across = from.x() == to.x() ? QPoint(1, 0) : QPoint(0, 1);
    const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
    int black = 0;
    for (int i = 0; i <= steps; ++i) {
        const QPoint q = from + (to - from) * i / steps;
        black += test::IsBlack(p.layer.pixel(q)) || test::IsBlack(p.layer.pixel(q + across)) ||
                 test::IsBlack(p.layer.pixel(q - across));
    }
    return static_cast<double>(black) / (steps + 1);
}

TEST(PaintPlot, AxesSolidThroughZeroOrDashedAlongTheEdge)
{
    // The constant 100 stays off every range here, so only the axes are drawn. Where each axis
    // goes is the view arithmetic's business; here the style has to follow it.
    const std::tuple<double, double, double, double, QLineF, bool> rows[] = {
        {-3, 5, -3, 5, {0, -3, 0, 5}, false},
        {1, 5, -2, 2, {1, -2, 1, 2}, true},
        {-3, 5, 2, 6, {-3, 2, 5, 2}, true}};
    for (const auto &[a, b, yMin, yMax, axis, dashed] : rows) {
        const Painted p = Paint({QStringLiteral("100"), a, b, yMin, yMax, 100});
        const double share = BlackShare(p, axis.x1(), axis.y1(), axis.x2(), axis.y2());
        EXPECT_GT(share, dashed ? 0.3 : 0.97) << a << " " << yMin;
        EXPECT_LT(share, dashed ? 0.9 : 1.01) << a << " " << yMin;
    }
}

TEST(PaintPlot, NoSegmentAcrossThePoleOfOneOverX)
{
    const Painted p = Paint({QStringLiteral("1/x"), -1, 1, -100, 100, 100});
    EXPECT_TRUE(test::AnyNear(p.layer, PixelOf(p.mapping, -0.02, -50), 1, IsRed));
    EXPECT_TRUE(test::AnyNear(p.layer, PixelOf(p.mapping, 0.02, 50), 1, IsRed));
    const QPoint top = PixelOf(p.mapping, 0, 40), bottom = PixelOf(p.mapping, 0, -40);
    for (int row = top.y(); row <= bottom.y(); ++row)
        ASSERT_FALSE(IsRed(p.layer.pixel(top.x(), row))) << "row " << row;
}

TEST(PaintPlot, EquationWrapsAfterSixtyFourCharacters)
{
    // "x+x+...+x" has 2 * terms - 1 characters, and " = 0" follows.
    for (const auto &[terms, secondLine] :
         {std::pair{5, false}, {30, false}, {31, true}, {35, true}, {100, true}}) {
        const PlotView view{
            QStringLiteral("x") + QStringLiteral("+x").repeated(terms - 1), -3, 3, -3, 3, 100};
        const Painted p = Paint(view);
        // Dark pixels in the band where the second line of the equation stands.
        const QPoint start = PixelOf(p.mapping, view.a, view.yMax + 0.05 * 6);
        bool written = false;
        for (int y = start.y() + 3; y <= start.y() + 8; ++y) {
            for (int x = 0; x < p.layer.width(); ++x)
                written = written || qAlpha(p.layer.pixel(x, y)) > 128;
        }
        EXPECT_EQ(written, secondLine) << terms;
    }
}

TEST(PaintPlot, AViewWithoutWidthKeepsTheMappingAndATinyPieceIsTooSmall)
{
    const Painted p = Paint({QStringLiteral("x"), 1, 1, -1, 1, 100},
                            WorldMapping(WorldRect{-2, 2, 2, -2}, 319, 319));
    EXPECT_EQ(p.mapping.Edges().left, -2);
    EXPECT_EQ(p.mapping.Edges().top, 2);
    // x/1000 spans 0.002 of the range [-1; 1]; x spans all of it.
    EXPECT_TRUE(Paint({QStringLiteral("x/1000"), -1, 1, -1, 1, 100}).tooSmall);
    EXPECT_FALSE(Paint({QStringLiteral("x"), -1, 1, -1, 1, 100}).tooSmall);
}

} // namespace
} // namespace zv

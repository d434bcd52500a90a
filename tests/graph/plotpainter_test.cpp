#include "graph/plotpainter.h"
#include "pixelprobe.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace zv {
namespace {

using test::AnyNear;
using test::IsBlack;
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

// Share of the pixels along a world segment (one of the axes) that are black.
double BlackShare(const Painted &p, double x1, double y1, double x2, double y2)
{
    const QPoint from = PixelOf(p.mapping, x1, y1);
    const QPoint to = PixelOf(p.mapping, x2, y2);
    const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
    int black = 0;
    for (int i = 0; i <= steps; ++i) {
        const QPoint q(from.x() + (to.x() - from.x()) * i / steps,
                       from.y() + (to.y() - from.y()) * i / steps);
        // Allow for rounding across the line, not along it, or the gaps would be bridged.
        const QPoint across = from.x() == to.x() ? QPoint(1, 0) : QPoint(0, 1);
        black += IsBlack(p.layer.pixel(q)) || IsBlack(p.layer.pixel(q + across)) ||
                         IsBlack(p.layer.pixel(q - across))
                     ? 1
                     : 0;
    }
    return static_cast<double>(black) / (steps + 1);
}

struct AxisStyleRow
{
    const char *name;
    double a, b, yMin, yMax;
    double x1, y1, x2, y2; // where an axis must be
    bool dashed;
};

TEST(PaintPlot, AxesSolidThroughZeroOrDashedAlongTheEdge)
{
    // The constant 100 stays off every range here, so only the axes are drawn. Where each axis
    // goes is the view arithmetic's business; here the style has to follow it.
    const AxisStyleRow rows[] = {
        {"vertical through 0", -3, 5, -3, 5, 0, -3, 0, 5, false},
        {"vertical along x = 1", 1, 5, -2, 2, 1, -2, 1, 2, true},
        {"horizontal along y = 2", -3, 5, 2, 6, -3, 2, 5, 2, true},
    };
    for (const AxisStyleRow &row : rows) {
        const Painted p = Paint({QStringLiteral("100"), row.a, row.b, row.yMin, row.yMax, 100});
        const double share = BlackShare(p, row.x1, row.y1, row.x2, row.y2);
        if (row.dashed) {
            EXPECT_GT(share, 0.3) << row.name;
            EXPECT_LT(share, 0.9) << row.name;
        } else {
            EXPECT_GT(share, 0.97) << row.name;
        }
    }
}

TEST(PaintPlot, NoSegmentAcrossThePoleOfOneOverX)
{
    const Painted p = Paint({QStringLiteral("1/x"), -1, 1, -100, 100, 100});
    EXPECT_TRUE(AnyNear(p.layer, PixelOf(p.mapping, -0.02, -50), 1, IsRed));
    EXPECT_TRUE(AnyNear(p.layer, PixelOf(p.mapping, 0.02, 50), 1, IsRed));
    const QPoint top = PixelOf(p.mapping, 0, 40);
    const QPoint bottom = PixelOf(p.mapping, 0, -40);
    for (int row = top.y(); row <= bottom.y(); ++row) {
        ASSERT_FALSE(IsRed(p.layer.pixel(top.x(), row))) << "row " << row;
    }
}

// Dark pixels in the band where the second line of the equation stands.
bool SecondLineWritten(const Painted &p, const PlotView &view)
{
    const double h = view.yMax - view.yMin;
    const QPoint start = PixelOf(p.mapping, view.a, view.yMax + 0.05 * h);
    for (int y = start.y() + 3; y <= start.y() + 8; ++y) {
        for (int x = 0; x < p.layer.width(); ++x) {
            if (qAlpha(p.layer.pixel(x, y)) > 128) {
                return true;
            }
        }
    }
    return false;
}

TEST(PaintPlot, EquationWrapsAfterSixtyFourCharacters)
{
    const struct
    {
        int terms;
        bool secondLine;
    } rows[] = {{5, false}, {30, false}, {31, true}, {35, true}, {100, true}};
    for (const auto &row : rows) {
        // "x+x+...+x" has 2 * terms - 1 characters, and " = 0" follows.
        QString function = QStringLiteral("x");
        for (int i = 1; i < row.terms; ++i) {
            function += QStringLiteral("+x");
        }
        const PlotView view{function, -3, 3, -3, 3, 100};
        EXPECT_EQ(SecondLineWritten(Paint(view), view), row.secondLine) << function.size();
    }
}

TEST(PaintPlot, ViewWithoutWidthKeepsTheMappingItWasGiven)
{
    const WorldMapping before(WorldRect{-2, 2, 2, -2}, 319, 319);
    const Painted p = Paint({QStringLiteral("x"), 1, 1, -1, 1, 100}, before);
    EXPECT_EQ(p.mapping.Edges().left, -2);
    EXPECT_EQ(p.mapping.Edges().top, 2);
}

TEST(PaintPlot, TinyVisiblePieceIsTooSmall)
{
    // x/1000 spans 0.002 of the range [-1; 1]; x spans all of it.
    EXPECT_TRUE(Paint({QStringLiteral("x/1000"), -1, 1, -1, 1, 100}).tooSmall);
    EXPECT_FALSE(Paint({QStringLiteral("x"), -1, 1, -1, 1, 100}).tooSmall);
}

} // namespace
} // namespace zv

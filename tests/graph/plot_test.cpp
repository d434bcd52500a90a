// The curve sampled and painted, without a window.
#include "graph/curvesampling.h"
#include "graph/plotpainter.h"
#include "harness.h"

#include <QPainter>
#include <limits>

namespace zv::test {
namespace {

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
        black += IsBlack(p.layer.pixel(q)) || IsBlack(p.layer.pixel(q + across)) ||
                 IsBlack(p.layer.pixel(q - across));
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
    EXPECT_TRUE(AnyNear(p.layer, PixelOf(p.mapping, -0.02, -50), 1, IsRed));
    EXPECT_TRUE(AnyNear(p.layer, PixelOf(p.mapping, 0.02, 50), 1, IsRed));
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
    EXPECT_EQ(std::pair(p.mapping.Edges().left, p.mapping.Edges().top), std::pair(-2.0, 2.0));
    // x/1000 spans 0.002 of the range [-1; 1]; x spans all of it.
    EXPECT_TRUE(Paint({QStringLiteral("x/1000"), -1, 1, -1, 1, 100}).tooSmall);
    EXPECT_FALSE(Paint({QStringLiteral("x"), -1, 1, -1, 1, 100}).tooSmall);
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
        EXPECT_EQ(std::tuple(curve.minX, curve.maxX, curve.minY, curve.maxY),
                  std::tuple(minX, maxX, minY, maxY))
            << definedAt;
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
        EXPECT_EQ(std::pair(lo, hi), std::pair(-4.0, 0.0));
    }
    EXPECT_EQ(calls, 3 * 7); // precision + 1 points each time
    // Nothing evaluated: an empty range, lo above hi.
    double lo = -2, hi = 2;
    FitVerticalRange([](double, int16_t &code) { return code = 5, 0.0; }, 0, 1, 10, lo, hi);
    EXPECT_EQ(std::pair(lo, hi), std::pair(2.0, -2.0));
}

} // namespace
} // namespace zv::test

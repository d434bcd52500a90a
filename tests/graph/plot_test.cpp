// The arithmetic of the view and of the commands that change it, the curve sampled and painted,
// and the results text: all without a window.
#include "graph/curvesampling.h"
#include "graph/graphdocument.h"
#include "graph/plotscale.h"
#include "graph/plotscene.h"
#include "graph/promptvalues.h"
#include "graph/resultstext.h"
#include "graph/viewcommands.h"
#include "graph/viewmath.h"
#include "harness.h"

#include <QPainter>
#include <functional>
#include <limits>

namespace zv::test {
namespace {

constexpr double kHuge = std::numeric_limits<double>::max(),
                 kInf = std::numeric_limits<double>::infinity(),
                 kNan = std::numeric_limits<double>::quiet_NaN();

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
    EXPECT_EQ(
        QString::asprintf("%g %g %g %g", edges->left, edges->right, edges->top, edges->bottom),
        "-3.4 5.4 6.8 -2.4");
    const std::tuple<const char *, double, double, double, double> refused[] = {
        {"no width", 5, 5, -1, 1},
        {"no height", -1, 1, 3, 3},
        {"width overflows", -1e308, 1e308, -1, 1},
        {"height overflows", -1, 1, -1e308, 1e308},
        {"the right margin overflows", 0, 1.75e308, -1, 1},
        {"not a number", kNan, 1, -1, 1},
        {"infinite", -kInf, kInf, -1, 1}};
    for (const auto &[name, a, b, yMin, yMax] : refused)
        EXPECT_FALSE(PlotEdges(a, b, yMin, yMax).has_value()) << name;
}

TEST(WorldMapping, MapsYUpwardAndKeepsHugeValuesFinite)
{
    const WorldMapping mapping(WorldRect{-1, 1, 1, -1}, 200, 100);
    double px = 0, py = 0;
    ASSERT_TRUE(mapping.ToPixel(0.5, 0.5, px, py));
    EXPECT_EQ(std::pair(px, py), std::pair(150.0, 25.0));
    ASSERT_TRUE(mapping.ToPixel(1e308, -1e308, px, py));
    EXPECT_EQ(std::pair(px, py), std::pair(WorldMapping::kPixelLimit, WorldMapping::kPixelLimit));
    EXPECT_FALSE(mapping.ToPixel(kNan, 0, px, py));
}

TEST(AxisSegments, DashedAlongTheEdgeWhenZeroIsOffTheView)
{
    const std::tuple<double, double, double, double, const char *> rows[] = {
        {-3, 5, -3, 5, "-3 0 5 0 | 0 -3 0 5"},
        {1, 5, -2, 2, "1 0 5 0 | 1 -2 1 2 dashed"},
        {-5, -1, -2, 2, "-5 0 -1 0 | -1 -2 -1 2 dashed"},
        {-3, 5, 2, 6, "-3 2 5 2 dashed | 0 2 0 6"},
        {-3, 5, -6, -2, "-3 -2 5 -2 dashed | 0 -6 0 -2"},
        {0, 4, -2, 2, "0 0 4 0 | 0 -2 0 2"}}; // the interval ends at zero
    for (const auto &[a, b, yMin, yMax, both] : rows) {
        QStringList text;
        for (const AxisSegment &axis : AxisSegments(a, b, yMin, yMax))
            text << QString::asprintf("%g %g %g %g%s", axis.x1, axis.y1, axis.x2, axis.y2,
                                      axis.dashed ? " dashed" : "");
        EXPECT_EQ(text.join(" | ").toStdString(), both);
    }
}

using Step = std::function<std::optional<ViewExtent>(const ViewExtent &)>;
const Step kIn = [](const ViewExtent &v) { return Zoomed(v, kZoomInFactor); };
const Step kOut = [](const ViewExtent &v) { return Zoomed(v, kZoomOutFactor); };
Step Move(int horizontal, int vertical)
{
    return [=](const ViewExtent &v) { return Moved(v, {horizontal, vertical}); };
}

// A view as "a b yMin yMax" to 15 digits, or "refused".
std::string Text(const std::optional<ViewExtent> &v)
{
    return v ? QString::asprintf("%.15g %.15g %.15g %.15g", v->a, v->b, v->yMin, v->yMax)
                   .toStdString()
             : "refused";
}

TEST(ViewSteps, ZoomAboutTheOriginMoveByATenthOrRefuse)
{
    const std::tuple<const char *, Step, ViewExtent, std::optional<ViewExtent>> rows[] = {
        {"zoom out moves away from 0", kOut, {1, 3, -1, 1}, ViewExtent{2, 6, -2, 2}},
        {"zoom in is not about the centre", kIn, {4, 6, -1, 1}, ViewExtent{2, 3, -0.5, 0.5}},
        {"an empty fitted range stays empty", kOut, {0, 1, 3, 2}, ViewExtent{0, 2, 6, 4}},
        {"a range without height may stay so", kIn, {-1, 1, 2, 2}, ViewExtent{-.5, .5, 1, 1}},
        {"right", Move(1, 0), {-4, 4, -2, 2}, ViewExtent{-3.2, 4.8, -2, 2}},
        {"top", Move(0, 1), {-4, 4, -2, 2}, ViewExtent{-4, 4, -1.6, 2.4}},
        {"bottom-left corner does both", Move(-1, -1), {0, 10, 0, 1}, ViewExtent{-1, 9, -.1, .9}},
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

TEST(ClassifyPosition, BandsCornersAndCursorsWithSinglePrecisionThresholds)
{
    // [-4; 4] with the range [-4; 4]: the bands begin 0.08 inside each end; cursor 0 is inside.
    const std::tuple<double, double, int> rows[] = {
        {0, 0, 0},       {4, 0, 103},      {4.3, 0, 103},     {3.9199, 0, 0},
        {-3.95, 1, 102}, {0.5, 3.95, 104}, {0.5, -3.95, 101}, {4, 4, 105},
        {-4, 4, 106},    {4, -4, 107},     {-4, -4, 108}};
    for (const auto &[x, y, cursor] : rows) {
        const EdgeBand band = ClassifyPosition({-4, 4, -4, 4}, x, y);
        EXPECT_EQ(CursorNumber(band), cursor) << x << ", " << y;
        EXPECT_EQ(band.Inner(), cursor == 0) << x << ", " << y;
    }
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
    double y = 4 * kAnimationStartFactor; // grows for 20 frames, then shrinks
    for (size_t i = 0; i < 30; ++i) {
        EXPECT_EQ(std::tuple(frames[i].a, frames[i].b, frames[i].yMax), std::tuple(-y, y, y)) << i;
        y = i < 20 ? y * 1.2 : y / 1.2;
    }
    // The last frame is the view, its range as the arithmetic leaves it.
    EXPECT_EQ(std::pair(frames[30].b, frames[30].yMax), std::pair(4.0, y));
    EXPECT_NE(y, 4.0);
    // On [1; 3] the origin stays fixed: the interval slides towards 0 and back.
    for (const ViewExtent &frame : AnimationFrames({1, 3, -1, 1}))
        EXPECT_NEAR(frame.b / frame.a, 3.0, 1e-12);
    // 1.2^10 times 1e308 would overflow.
    EXPECT_TRUE(AnimationFrames({-1, 1e308, -1, 1}).empty());
    EXPECT_EQ(AnimationFrames({-1, 1e306, -1, 1}).size(), 31u);
}

TEST(PromptValues, NumbersWithCommaOrPointIntervalsAndPrecisions)
{
    // The number readers' table is the engine's; here the comma and the range.
    const std::pair<std::u16string_view, std::optional<double>> numbers[] = {
        {u"1,5", 1.5}, {u"1,5,7", 1.5}, {u"1e400", {}}};
    for (const auto &[text, value] : numbers)
        EXPECT_EQ(ReadPromptNumber(text), value) << std::string(text.begin(), text.end());
    // a below b, widths from a thousandth to 500; the first rule broken is the one said.
    using enum PromptRefusal;
    const std::tuple<double, double, PromptRefusal> intervals[] = {
        {1, 1, NotBelow}, {0, 500, None},         {0, 500.5, TooWide},      {0, 0.001, None},
        {2, 1, NotBelow}, {0, 0.0009, TooNarrow}, {-1e308, 1e308, TooWide}, {3, -600, NotBelow}};
    for (const auto &[a, b, refusal] : intervals)
        EXPECT_EQ(IntervalRefusal(a, b), refusal) << a << " " << b;
    // Precisions from 20 to 800, halves rounded to even.
    const std::pair<double, std::optional<int>> precisions[] = {
        {20, 20},     {800, 800}, {19.4, {}}, {19.5, 20}, {20.5, 20},
        {800.5, 800}, {801, {}},  {0, {}},    {1e300, {}}};
    for (const auto &[typed, precision] : precisions)
        EXPECT_EQ(AcceptedPrecision(typed), precision) << typed;
}

struct Painted
{
    QImage layer;
    WorldMapping mapping;
    bool tooSmall = false;
};

// A document's drawing of view painted as the plot's inner surface on a plain backdrop, at the
// opening size unless told otherwise; adjust changes the scene first.
Painted Paint(const QString &function, const ViewExtent &view,
              const std::function<void(PlotScene &)> &adjust = {}, QSizeF size = {319, 319})
{
    GraphDocument document(function.toStdU16String(), view.a, view.b);
    document.SetView(view);
    document.Draw();
    PlotScene scene = SceneOf(document);
    scene.backdrop = PlotBackdrop::Plain;
    if (adjust)
        adjust(scene);
    Painted result{QImage(size.toSize(), QImage::Format_RGB32), SceneMapping(scene, size),
                   document.Drawn().TooSmall()};
    QPainter painter(&result.layer);
    PaintScene(painter, scene, QRectF(QPointF(0, 0), size));
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
        const Painted p = Paint(QStringLiteral("100"), {a, b, yMin, yMax});
        const double share = BlackShare(p, axis.x1(), axis.y1(), axis.x2(), axis.y2());
        EXPECT_NEAR(share, dashed ? 0.6 : 1, dashed ? 0.3 : 0.03) << a << " " << yMin;
    }
}

TEST(PaintPlot, NoSegmentAcrossThePoleOfOneOverX)
{
    const Painted p = Paint(QStringLiteral("1/x"), {-1, 1, -100, 100});
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
        const ViewExtent view{-3, 3, -3, 3};
        const Painted p =
            Paint(QStringLiteral("x") + QStringLiteral("+x").repeated(terms - 1), view);
        // Dark pixels in the band where the second line of the equation stands.
        const QPoint start = PixelOf(p.mapping, view.a, view.yMax + 0.05 * 6);
        bool written = false;
        for (int y = start.y() + 3; y <= start.y() + 8; ++y) {
            for (int x = 0; x < p.layer.width(); ++x)
                written = written || qGray(p.layer.pixel(x, y)) < 128;
        }
        EXPECT_EQ(written, secondLine) << terms;
    }
}

TEST(PaintPlot, AViewWithoutWidthKeepsTheMappingAndATinyPieceIsTooSmall)
{
    GraphDocument document(u"x", -1, 1);
    document.Draw();
    const WorldRect before = document.Drawn().edges;
    document.SetView({1, 1, -1, 1});
    document.Draw();
    EXPECT_EQ(std::pair(document.Drawn().edges.left, document.Drawn().edges.top),
              std::pair(before.left, before.top));
    // x/1000 spans 0.002 of the range [-1; 1]; x spans all of it.
    EXPECT_TRUE(Paint(QStringLiteral("x/1000"), {-1, 1, -1, 1}).tooSmall);
    EXPECT_FALSE(Paint(QStringLiteral("x"), {-1, 1, -1, 1}).tooSmall);
}

TEST(PlotScale, StepsOfOneTwoOrFiveAndNumbersThatKeepApart)
{
    // The least 1, 2 or 5 x 10^k that keeps ticks 40 plot units apart; none without a span.
    const std::tuple<double, double, double> steps[] = {
        {6, 290, 1}, {6, 600, 0.5}, {1e-9, 290, 2e-10}, {3e20, 290, 5e19},
        {0, 290, 0}, {6, 0, 0},     {kInf, 290, 0},     {kNan, 290, 0}};
    for (const auto &[span, pixels, step] : steps)
        EXPECT_DOUBLE_EQ(TickStep(span, pixels, 40), step) << span << " " << pixels;

    // Numbers 6 units a character and 12 high, on the plot at its opening size, the equation's
    // text kept clear in the top margin. A number on the other axis's line is left out; axes
    // crossing at the origin carry one "0".
    const PixelBox equation{16, 5, 120, 17};
    const TextMeasure measure{[](std::u16string_view text) { return 6.0 * text.size(); }, 12};
    const std::tuple<const char *, ViewExtent, char16_t, QString> rows[] = {
        {"sample 1", {0, 6, -3, 3}, u'.', "1 2 3 4 5 6 -3 -2 -1 1 2 3 0"},
        {"decimal comma", {0, 1, -0.5, 0.5}, u',', "0,2 0,4 0,6 0,8 1 -0,4 -0,2 0,2 0,4 0"},
        // The numbers on the dashed axes' own lines are left out, as is a number past the edge.
        {"negative, axes dashed", {-5, -1, 3, 7}, u'.', "-5 -4 -3 -2 3.5 4 4.5 5 5.5 6 6.5 7"},
        {"huge",
         {1e20, 3e20, -1e20, 1e20},
         u'.',
         "1.5E+20 2E+20 2.5E+20 -1E+20 -5E+19 5E+19 1E+20"},
        {"beyond 15 digits", {1, 1 + 1e-14, -1, 1}, u'.', "-1 -0.5 0.5 1"},
        {"no width", {1, 1, -1, 1}, u'.', ""}};
    for (const auto &[name, view, separator, texts] : rows) {
        SCOPED_TRACE(name);
        const auto edges = PlotEdges(view.a, view.b, view.yMin, view.yMax);
        const WorldMapping mapping(edges.value_or(WorldRect{}), 319, 319);
        const PlotScale scale = LayOutScale(view, mapping, measure, separator, {equation});
        QStringList shown; // the horizontal axis's numbers, the vertical one's, the origin's
        for (size_t i = 0; i < scale.labels.size(); ++i) {
            const PixelBox &box = scale.labels[i].box;
            EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= 319 && box.bottom <= 319);
            EXPECT_FALSE(box.Overlaps(equation));
            for (size_t j = 0; j < i; ++j)
                EXPECT_FALSE(box.Overlaps(scale.labels[j].box)) << i << " " << j;
            shown << QString::fromStdU16String(scale.labels[i].text);
        }
        EXPECT_EQ(shown.join(' '), texts);
        EXPECT_EQ(scale.grid.empty(), scale.xStep == 0 && scale.yStep == 0);
    }
}

TEST(PaintScene, TheGridUnderTheCurveAndAMethodsStepOverIt)
{
    // x^2-4 on [-3; 3]: ticks a unit apart; the step's bracket [1; 2], the line through (1, -3)
    // and (2, 0) drawn across the plot, the point (-1.5, 1.5) and a caption.
    PlotOverlay overlay;
    overlay.bracket = PlotOverlay::Bracket{1, 2};
    overlay.lines = {{1, -3, 2, 0}};
    overlay.points = {{-1.5, 1.5}};
    overlay.caption = QStringLiteral("Newton: step 1 of 3");
    const ViewExtent view{-3, 3, -3, 3};
    const Painted plain = Paint(QStringLiteral("x^2-4"), view);
    const Painted marked = Paint(QStringLiteral("x^2-4"), view, [&](PlotScene &scene) {
        scene.gridShown = true;
        scene.overlay = overlay;
    });
    const auto white = [](QRgb p) { return p == qRgb(255, 255, 255); };
    const auto grey = [](QRgb p) { return qRed(p) > 200 && qRed(p) < 250 && qRed(p) <= qBlue(p); };
    const auto tinted = [](QRgb p) { return qBlue(p) > 240 && qRed(p) < 235 && qRed(p) > 150; };
    const auto blue = [](QRgb p) { return qBlue(p) > 120 && qRed(p) < 80 && qGreen(p) < 120; };
    const auto dark = [](QRgb p) { return qGray(p) < 140; };
    // The point in world units, what the plain plot shows there, what the marked one shows.
    const std::tuple<const char *, double, double, bool (*)(QRgb), bool (*)(QRgb)> rows[] = {
        {"grid line x = -1", -1, 2, white, grey},
        {"band", 1.5, -2.5, white, tinted},
        {"line, beyond the points", 2.5, 1.5, white, blue},
        {"point", -1.5, 1.5, white, blue},
        {"curve over the grid", -2.5, 2.25, IsRed, IsRed},
        {"caption in the bottom margin", -2.2, -3.25, white, dark}};
    for (const auto &[name, x, y, before, after] : rows) {
        SCOPED_TRACE(name);
        const QPoint at = PixelOf(plain.mapping, x, y);
        EXPECT_TRUE(before(plain.layer.pixel(at)));
        EXPECT_TRUE(AnyNear(marked.layer, at, 2, after));
    }
}

TEST(PaintScene, TheNameOnTheBackdropStandsInTheLowerRightCornerOfAnySize)
{
    // The word's ink: about 77 x 11 pixels, its right end 6 pixels in and its foot some 8 up
    // (4, then the font's descent). The constant 100 stays off the view: no curve, and the
    // axes lie far from that corner.
    for (const QSizeF size : {QSizeF(319, 319), QSizeF(700, 420)}) {
        SCOPED_TRACE(size.width());
        const Painted p = Paint(
            QStringLiteral("100"), {-3, 3, -3, 3},
            [](PlotScene &scene) { scene.backdrop = PlotBackdrop::Logo; }, size);
        QRect ink;
        for (int y = 0; y < p.layer.height(); ++y)
            for (int x = 0; x < p.layer.width(); ++x)
                if (const QRgb c = p.layer.pixel(x, y); qBlue(c) > qRed(c) + 8)
                    ink |= QRect(x, y, 1, 1);
        EXPECT_NEAR(ink.right(), size.width() - 7, 2);
        EXPECT_NEAR(ink.bottom(), size.height() - 8, 2);
        EXPECT_NEAR(ink.width(), 77, 4);
        EXPECT_NEAR(ink.height(), 11, 2);
    }
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

TEST(ResultsText, TheFileByteForByte)
{
    using Roots = std::vector<std::u16string>;
    Roots twelve; // a count of two digits
    for (int i = 1; i <= 12; ++i)
        twelve.push_back(QString::number(i).toStdU16String());
    // The ends rounded to 8 decimals, the roots in the list's order, the user's decimal comma.
    const std::tuple<const char16_t *, double, double, Roots, char16_t, QString> rows[] = {
        {u"x^2+1", -3, 3, {}, u'.', "[-3 ; 3]\n\nNo root."},
        // A scan that could evaluate f nowhere: the engine's text in place of "No root.".
        {u"x-1.2.3", 0, 6, {}, u'.', "[0 ; 6]\n\nError #9 : Error in evaluation !"},
        {u"x-0.5", 0.123456789, 2.5, {u"0.5"}, u'.', "[0.12345679 ; 2.5]\n\n One root :\n0.5"},
        {u"x^2-4", -3, 3, {u"2", u"-2"}, u'.', "[-3 ; 3]\n\n 2 roots : \n2\n-2"},
        {u"sin(x)", -1, 36, twelve, u'.',
         "[-1 ; 36]\n\n 12 roots : \n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12"},
        {u"x-1,5", 1.25, 7.000000004, {u"1,5"}, u',', "[1,25 ; 7]\n\n One root :\n1,5"}};
    for (const auto &[function, a, b, roots, separator, text] : rows) {
        const QString file = QString::fromStdU16String(function) + " = 0\n" + text +
                             "\n\nSolved graphically with Zerovane 1.0\n";
        EXPECT_EQ(ResultsText(function, a, b, roots, separator, text.contains("Error") ? 9 : 0),
                  QString(file).replace("\n", "\r\n").toStdString());
    }
}

} // namespace
} // namespace zv::test

#include "graph/plotscale.h"

#include "engine/numbertext.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace zv {

namespace {

// Grid lines at least this far apart, in plot units, however short the numbers.
constexpr double kMinSpacingX = 40.0;
constexpr double kMinSpacingY = 30.0;
constexpr double kTickLength = 3.0;
constexpr double kLabelGap = 2.0;     // from the tick's end to its number
constexpr double kLabelSpacing = 8.0; // between two numbers on an axis
// More ticks than this on one axis only happen on absurd surfaces; the scale is left out.
constexpr double kMaxTicks = 500.0;
// Beyond this many steps from 0 neighbouring ticks no longer differ within 15 digits.
constexpr double kDistinctSteps = 1e14;
// Larger steps tried when the numbers of one do not keep apart.
constexpr int kStepTries = 40;

// 10^k as exactly as a double holds it (1e-3 rather than 10 * 10 * ... / 1000).
double PowerOfTen(int k)
{
    return std::pow(10.0, k);
}

// A step of the 1-2-5 series as its mantissa and exponent, so that its decimals are known.
struct Step
{
    int mantissa = 1; // 1, 2 or 5
    int exponent = 0;

    double Value() const { return mantissa * PowerOfTen(exponent); }
    Step Next() const
    {
        return mantissa == 1   ? Step{2, exponent}
               : mantissa == 2 ? Step{5, exponent}
                               : Step{1, exponent + 1};
    }
};

std::optional<Step> FirstStep(double span, double pixels, double minSpacing)
{
    const double least = minSpacing * span / pixels; // world units in minSpacing
    if (!(span > 0.0 && pixels > 0.0 && least > 0.0 && std::isfinite(least)))
        return std::nullopt;
    Step step{1, static_cast<int>(std::floor(std::log10(least)))};
    while (step.Value() < least)
        step = step.Next();
    if (!std::isfinite(step.Value()) || step.Value() <= 0.0)
        return std::nullopt;
    return step;
}

int Decimals(double step)
{
    return std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
}

// The multiples of step in [lo; hi]; none when they would be too many or not tell apart.
std::vector<double> TickValues(double lo, double hi, double step)
{
    const double first = std::ceil(lo / step);
    const double last = std::floor(hi / step);
    if (!std::isfinite(first) || !std::isfinite(last) || last - first > kMaxTicks ||
        std::max(std::fabs(first), std::fabs(last)) > kDistinctSteps)
        return {};
    std::vector<double> values;
    for (double i = first; i <= last; ++i)
        values.push_back(i * step + 0.0); // + 0.0: never a "-0"
    return values;
}

PixelBox Widened(const PixelBox &box, double by)
{
    return {box.left - by, box.top - by, box.right + by, box.bottom + by};
}

// The numbers of one axis at one step, with where each stands, the grid line and the tick.
struct AxisScale
{
    double step = 0.0;
    std::vector<double> values;
    std::vector<ScaleLabel> labels;
    std::vector<PixelLine> grid;
    std::vector<PixelLine> ticks;
};

// Numbers on one axis keep kLabelSpacing apart and differ from their neighbours.
bool KeepApart(const std::vector<ScaleLabel> &labels)
{
    for (size_t i = 1; i < labels.size(); ++i) {
        if (labels[i].text == labels[i - 1].text ||
            Widened(labels[i].box, kLabelSpacing / 2)
                .Overlaps(Widened(labels[i - 1].box, kLabelSpacing / 2)))
            return false;
    }
    return true;
}

class ScaleBuilder
{
public:
    ScaleBuilder(const ViewExtent &view, const WorldMapping &mapping, const TextMeasure &measure,
                 char16_t separator)
        : m_view(view)
        , m_mapping(mapping)
        , m_measure(measure)
        , m_separator(separator)
        , m_axes(AxisSegments(view.a, view.b, view.yMin, view.yMax))
    {
        m_axisY = Pixel(0.0, m_axes[0].y1).second;
        m_axisX = Pixel(m_axes[1].x1, 0.0).first;
    }

    // The ticks along the horizontal axis (x values) or the vertical one (y values).
    AxisScale Axis(bool horizontal) const
    {
        const double lo =
            horizontal ? std::min(m_view.a, m_view.b) : std::min(m_view.yMin, m_view.yMax);
        const double hi =
            horizontal ? std::max(m_view.a, m_view.b) : std::max(m_view.yMin, m_view.yMax);
        const double pixels = horizontal ? std::fabs(Pixel(hi, 0).first - Pixel(lo, 0).first)
                                         : std::fabs(Pixel(0, lo).second - Pixel(0, hi).second);
        const double minSpacing =
            horizontal ? kMinSpacingX
                       : std::max(kMinSpacingY, m_measure.lineHeight + kLabelSpacing);
        std::optional<Step> step = FirstStep(hi - lo, pixels, minSpacing);
        for (int tries = 0; step && tries < kStepTries; ++tries, step = step->Next()) {
            AxisScale axis =
                horizontal ? Horizontal(lo, hi, step->Value()) : Vertical(lo, hi, step->Value());
            if (axis.values.empty())
                break;
            if (KeepApart(axis.labels))
                return axis;
        }
        return {};
    }

    // Leaves out of the numbers those that cross the other axis, leave the surface or touch
    // a box already taken; the ones kept take their boxes.
    void Place(std::vector<ScaleLabel> &labels, bool horizontal, std::vector<ScaleLabel> &placed,
               std::vector<PixelBox> &taken) const
    {
        const PixelBox otherAxis = horizontal ? AxisBox(m_axes[1]) : AxisBox(m_axes[0]);
        for (ScaleLabel &label : labels) {
            if (label.box.Overlaps(otherAxis) || !Fits(label.box, taken))
                continue;
            taken.push_back(label.box);
            placed.push_back(std::move(label));
        }
    }

    // The one "0" of two axes crossing at the origin, below and left of the crossing.
    std::optional<ScaleLabel> Origin(double xStep, double yStep) const
    {
        if (m_axes[0].dashed || m_axes[1].dashed || xStep <= 0.0 || yStep <= 0.0)
            return std::nullopt;
        std::u16string text = TickLabel(0.0, xStep, m_separator);
        const double width = m_measure.width(text);
        const PixelBox box{m_axisX - kLabelGap - width, m_axisY + kLabelGap, m_axisX - kLabelGap,
                           m_axisY + kLabelGap + m_measure.lineHeight};
        return ScaleLabel{std::move(text), box};
    }

    bool Fits(const PixelBox &box, const std::vector<PixelBox> &taken) const
    {
        if (box.left < 0.0 || box.top < 0.0 || box.right > m_mapping.PixelWidth() ||
            box.bottom > m_mapping.PixelHeight())
            return false;
        return std::none_of(taken.begin(), taken.end(),
                            [&box](const PixelBox &other) { return box.Overlaps(other); });
    }

private:
    std::pair<double, double> Pixel(double x, double y) const
    {
        double px = 0, py = 0;
        m_mapping.ToPixel(x, y, px, py);
        return {px, py};
    }

    // An axis line as a box one plot unit wider on each side.
    PixelBox AxisBox(const AxisSegment &axis) const
    {
        const auto [x1, y1] = Pixel(axis.x1, axis.y1);
        const auto [x2, y2] = Pixel(axis.x2, axis.y2);
        return Widened({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)},
                       1.0);
    }

    AxisScale Horizontal(double lo, double hi, double step) const
    {
        AxisScale axis{step, TickValues(lo, hi, step), {}, {}, {}};
        const double height = m_measure.lineHeight;
        const double reach = kTickLength + kLabelGap;
        // Below the axis, or above it when the surface ends first.
        const bool below = m_axisY + reach + height <= m_mapping.PixelHeight();
        const double top = below ? m_axisY + reach : m_axisY - reach - height;
        const double tickEnd = below ? m_axisY + kTickLength : m_axisY - kTickLength;
        const double rangeTop = Pixel(0, m_view.yMax).second,
                     rangeBottom = Pixel(0, m_view.yMin).second;
        for (const double value : axis.values) {
            const double px = Pixel(value, 0).first;
            std::u16string text = TickLabel(value, step, m_separator);
            const double width = m_measure.width(text);
            axis.labels.push_back(
                {std::move(text), {px - width / 2, top, px + width / 2, top + height}});
            axis.grid.push_back({px, rangeTop, px, rangeBottom});
            axis.ticks.push_back({px, m_axisY, px, tickEnd});
        }
        return axis;
    }

    AxisScale Vertical(double lo, double hi, double step) const
    {
        AxisScale axis{step, TickValues(lo, hi, step), {}, {}, {}};
        std::vector<double> widths;
        double widest = 0.0;
        for (const double value : axis.values) {
            widths.push_back(m_measure.width(TickLabel(value, step, m_separator)));
            widest = std::max(widest, widths.back());
        }
        const double reach = kTickLength + kLabelGap;
        // Left of the axis, or right of it when the surface ends first.
        const bool left = m_axisX - reach - widest >= 0.0;
        const double tickEnd = left ? m_axisX - kTickLength : m_axisX + kTickLength;
        const double rangeLeft = Pixel(m_view.a, 0).first, rangeRight = Pixel(m_view.b, 0).first;
        const double half = m_measure.lineHeight / 2;
        for (size_t i = 0; i < axis.values.size(); ++i) {
            const double py = Pixel(0, axis.values[i]).second;
            const double x = left ? m_axisX - reach - widths[i] : m_axisX + reach;
            axis.labels.push_back({TickLabel(axis.values[i], step, m_separator),
                                   {x, py - half, x + widths[i], py + half}});
            axis.grid.push_back({rangeLeft, py, rangeRight, py});
            axis.ticks.push_back({m_axisX, py, tickEnd, py});
        }
        return axis;
    }

    const ViewExtent &m_view;
    const WorldMapping &m_mapping;
    const TextMeasure &m_measure;
    char16_t m_separator;
    std::array<AxisSegment, 2> m_axes;
    double m_axisX = 0.0;
    double m_axisY = 0.0;
};

} // namespace

bool PixelBox::Overlaps(const PixelBox &other) const
{
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
}

double TickStep(double span, double pixels, double minSpacing)
{
    const std::optional<Step> step = FirstStep(span, pixels, minSpacing);
    return step ? step->Value() : 0.0;
}

std::u16string TickLabel(double value, double step, char16_t separator)
{
    return FormatRounded(value, Decimals(step), separator);
}

PlotScale LayOutScale(const ViewExtent &view, const WorldMapping &mapping,
                      const TextMeasure &measure, char16_t separator,
                      const std::vector<PixelBox> &keepClear)
{
    PlotScale scale;
    // A view without width or height is drawn with the mapping of the one before it, which
    // its numbers would not match.
    if (!measure.width || !PlotEdges(view.a, view.b, view.yMin, view.yMax) ||
        !(mapping.PixelWidth() > 0.0 && mapping.PixelHeight() > 0.0))
        return scale;
    const ScaleBuilder builder(view, mapping, measure, separator);
    AxisScale x = builder.Axis(true);
    AxisScale y = builder.Axis(false);
    scale.xStep = x.step;
    scale.yStep = y.step;
    for (AxisScale *axis : {&x, &y}) {
        scale.grid.insert(scale.grid.end(), axis->grid.begin(), axis->grid.end());
        scale.ticks.insert(scale.ticks.end(), axis->ticks.begin(), axis->ticks.end());
    }
    std::vector<PixelBox> taken = keepClear;
    builder.Place(x.labels, true, scale.labels, taken);
    builder.Place(y.labels, false, scale.labels, taken);
    if (std::optional<ScaleLabel> origin = builder.Origin(x.step, y.step);
        origin && builder.Fits(origin->box, taken))
        scale.labels.push_back(std::move(*origin));
    return scale;
}

} // namespace zv

#pragma once

#include "graph/viewcommands.h"
#include "graph/viewmath.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// A rectangle on the plot's surface, in plot units with y downward.
struct PixelBox
{
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    // True when the two share more than an edge.
    bool Overlaps(const PixelBox &other) const;
};

struct PixelLine
{
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
};

struct ScaleLabel
{
    std::u16string text;
    PixelBox box; // where the text stands
};

// The grid and scale of one view on one surface: light lines across the view at every tick,
// short marks on the axes, and the numbers that fit.
struct PlotScale
{
    double xStep = 0.0; // 0: no ticks on that axis
    double yStep = 0.0;
    std::vector<PixelLine> grid;
    std::vector<PixelLine> ticks;
    std::vector<ScaleLabel> labels;
};

// How a text measures on the surface, in plot units.
struct TextMeasure
{
    std::function<double(std::u16string_view)> width;
    double lineHeight = 0.0;
};

// The distance of the ticks on an axis: 1, 2 or 5 x 10^k, the least that keeps ticks at least
// minSpacing plot units apart when `span` world units take `pixels`. 0 when there is none (no
// span, no room, values beyond the double range).
double TickStep(double span, double pixels, double minSpacing);

// A tick's number: value rounded to the decimals of step and written as every number of the
// window (FormatRounded) with the user's decimal separator.
std::u16string TickLabel(double value, double step, char16_t separator);

// The scale of a view on the surface the mapping covers. The ticks stand on the axes where
// AxisSegments draws them, at the least steps whose numbers keep apart; numbers go below the
// horizontal axis (above when there is no room below) and left of the vertical one (right when
// there is none). A number that would cross the other axis, touch another number or a box of
// keepClear (the equation's text), or leave the surface, is left out; where both axes cross at
// the origin its "0" stands once, below and left of the crossing. A view without width or
// height has no scale.
PlotScale LayOutScale(const ViewExtent &view, const WorldMapping &mapping,
                      const TextMeasure &measure, char16_t separator,
                      const std::vector<PixelBox> &keepClear);

} // namespace zv

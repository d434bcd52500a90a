#include "graph/viewcommands.h"

#include <cmath>

namespace zv {

namespace {

constexpr double kBandFraction = 0.01;
constexpr double kMoveFraction = 0.1;

// The view's ends, its width and height, and the edges of the plot around it (the margins
// of the drawing) are finite: the view can be drawn and a pointer position read in it.
bool Drawable(const ViewExtent &v)
{
    const double w = v.b - v.a;
    const double h = v.yMax - v.yMin;
    const double plotWidth = (v.b + 0.05 * w) - (v.a - 0.05 * w);
    const double plotHeight = (v.yMax + 0.1 * h) - (v.yMin - 0.05 * h);
    return std::isfinite(v.a) && std::isfinite(v.b) && std::isfinite(v.yMin) &&
           std::isfinite(v.yMax) && std::isfinite(w) && std::isfinite(h) &&
           std::isfinite(plotWidth) && std::isfinite(plotHeight);
}

// True when a non-zero extent became zero.
bool Collapsed(double before, double after)
{
    return before != 0.0 && after == 0.0;
}

ViewExtent Scaled(const ViewExtent &v, double factor)
{
    return {v.a * factor, v.b * factor, v.yMin * factor, v.yMax * factor};
}

ViewExtent Divided(const ViewExtent &v, double divisor)
{
    return {v.a / divisor, v.b / divisor, v.yMin / divisor, v.yMax / divisor};
}

// The value rounded to the nearest single-precision number. Beyond the single range, where
// that rounding would give an infinity and put every position on one side, it stays as it is.
double Single(double value)
{
    // Halfway between FLT_MAX and the next power of two: from here on rounding gives infinity.
    constexpr double kSingleOverflow = 3.4028235677973366e38;
    if (!(std::fabs(value) < kSingleOverflow)) {
        return value;
    }
    return static_cast<float>(value);
}

} // namespace

bool ViewStepAllowed(const ViewExtent &before, const ViewExtent &after)
{
    return Drawable(after) && !Collapsed(before.b - before.a, after.b - after.a) &&
           !Collapsed(before.yMax - before.yMin, after.yMax - after.yMin);
}

std::optional<ViewExtent> Zoomed(const ViewExtent &view, double factor)
{
    const ViewExtent zoomed = Scaled(view, factor);
    if (!ViewStepAllowed(view, zoomed)) {
        return std::nullopt;
    }
    return zoomed;
}

std::optional<ViewExtent> ZoomedAbout(const ViewExtent &view, double factor, double x, double y)
{
    const ViewExtent zoomed{x + (view.a - x) * factor, x + (view.b - x) * factor,
                            y + (view.yMin - y) * factor, y + (view.yMax - y) * factor};
    if (!ViewStepAllowed(view, zoomed)) {
        return std::nullopt;
    }
    return zoomed;
}

EdgeBand ClassifyPosition(const ViewExtent &view, double x, double y)
{
    const double w = view.b - view.a;
    const double h = view.yMax - view.yMin;
    EdgeBand band;
    if (x >= Single(view.b - kBandFraction * w)) {
        band.horizontal = 1;
    } else if (x <= Single(view.a + kBandFraction * w)) {
        band.horizontal = -1;
    }
    if (y >= Single(view.yMax - kBandFraction * h)) {
        band.vertical = 1;
    } else if (y <= Single(view.yMin + kBandFraction * h)) {
        band.vertical = -1;
    }
    return band;
}

std::optional<ViewExtent> Moved(const ViewExtent &view, EdgeBand band)
{
    const double dx = kMoveFraction * (view.b - view.a);
    const double dy = kMoveFraction * (view.yMax - view.yMin);
    ViewExtent moved = view;
    if (band.horizontal > 0) {
        moved.a = moved.a + dx;
        moved.b = moved.b + dx;
    } else if (band.horizontal < 0) {
        moved.a = moved.a - dx;
        moved.b = moved.b - dx;
    }
    if (band.vertical > 0) {
        moved.yMin = moved.yMin + dy;
        moved.yMax = moved.yMax + dy;
    } else if (band.vertical < 0) {
        moved.yMin = moved.yMin - dy;
        moved.yMax = moved.yMax - dy;
    }
    if (!ViewStepAllowed(view, moved)) {
        return std::nullopt;
    }
    return moved;
}

int CursorNumber(EdgeBand band)
{
    if (band.horizontal > 0) {
        return band.vertical > 0 ? 105 : band.vertical < 0 ? 107 : 103;
    }
    if (band.horizontal < 0) {
        return band.vertical > 0 ? 106 : band.vertical < 0 ? 108 : 102;
    }
    return band.vertical > 0 ? 104 : band.vertical < 0 ? 101 : 0;
}

std::vector<ViewExtent> AnimationFrames(const ViewExtent &view)
{
    std::vector<ViewExtent> frames;
    frames.reserve(kAnimationFrameCount);
    ViewExtent v = Scaled(view, kAnimationStartFactor);
    for (int i = 0; i < kAnimationGrowingFrames; ++i) {
        frames.push_back(v);
        v = Scaled(v, kAnimationStepFactor);
    }
    for (int i = 0; i < kAnimationShrinkingFrames; ++i) {
        frames.push_back(v);
        v = Divided(v, kAnimationStepFactor);
    }
    frames.push_back({view.a, view.b, v.yMin, v.yMax});
    for (const ViewExtent &frame : frames) {
        if (!ViewStepAllowed(view, frame)) {
            return {};
        }
    }
    return frames;
}

} // namespace zv

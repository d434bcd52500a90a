#pragma once

#include <optional>
#include <vector>

namespace zv {

// What the navigation commands change: the interval [a; b] and the vertical range on view.
struct ViewExtent
{
    double a = 0.0;
    double b = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
};

// Zoom factors of the tool bar (and of one notch of the mouse wheel).
inline constexpr double kZoomInFactor = 0.5;
inline constexpr double kZoomOutFactor = 2.0;

// Every view command ends here: the new view is taken only when its ends, width and height,
// and the edges of the plot drawn around it, are finite numbers, and a width or height that
// the old view had has not collapsed to zero (from which no zoom could bring the view back).
// A refused step leaves the view as it was.
bool ViewStepAllowed(const ViewExtent &before, const ViewExtent &after);

// a, b, yMin and yMax each multiplied by factor: a zoom about the origin, not about the centre
// of the view ([4; 6] zoomed in gives [2; 3]). Nothing when the step is refused.
std::optional<ViewExtent> Zoomed(const ViewExtent &view, double factor);
// The same zoom about the point (x, y) instead of the origin: that point keeps its place on the
// plot (the mouse wheel zooms about the pointer).
std::optional<ViewExtent> ZoomedAbout(const ViewExtent &view, double factor, double x, double y);

// Where a pointer position in world coordinates lies on the plot: in a band along an edge
// (1 % of the interval or of the range wide, margins included) or in the inner area.
// horizontal: +1 right band, -1 left band; vertical: +1 top band, -1 bottom band; 0 neither.
struct EdgeBand
{
    int horizontal = 0;
    int vertical = 0;

    bool Inner() const { return horizontal == 0 && vertical == 0; }
    friend bool operator==(const EdgeBand &, const EdgeBand &) = default;
};

// The thresholds are rounded to single precision before they are compared, so positions a
// hair's breadth from a threshold fall on the same side as they always have; thresholds beyond
// the single range are compared as they are.
EdgeBand ClassifyPosition(const ViewExtent &view, double x, double y);

// The view moved by a tenth of its width towards a left or right band and by a tenth of its
// height towards a top or bottom band (a corner does both). Nothing when the step is refused.
std::optional<ViewExtent> Moved(const ViewExtent &view, EdgeBand band);

// The number of the cursor picture for a band, 101 to 108 (arrows down, left, right, up,
// up-right, up-left, down-right, down-left); 0 for the inner area.
int CursorNumber(EdgeBand band);

// The animated graphic: the view scaled about the origin by 1.2 to the powers -10 .. 9, then
// 10 .. 1, and last the view itself, 31 frames. Each frame is the product of the arithmetic
// before it (start factor, then repeated multiplication and division by 1.2), so the last
// frame has the original a and b while its yMin and yMax carry the rounding of that
// arithmetic. Empty when any frame would be refused as a view step.
std::vector<ViewExtent> AnimationFrames(const ViewExtent &view);

inline constexpr double kAnimationStartFactor = 0.161505582889846; // 1.2^-10 to 15 digits
inline constexpr double kAnimationStepFactor = 1.2;
inline constexpr int kAnimationGrowingFrames = 20;
inline constexpr int kAnimationShrinkingFrames = 10;
inline constexpr int kAnimationFrameCount = kAnimationGrowingFrames + kAnimationShrinkingFrames + 1;
// The precision of every frame but the last, which is drawn with the window's own.
inline constexpr int kAnimationPrecision = 100;

} // namespace zv

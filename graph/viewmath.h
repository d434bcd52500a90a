#pragma once

#include <array>
#include <optional>

namespace zv {

// The vertical range a graph window shows when nothing has been fitted: the interval itself
// when it straddles zero, otherwise a range centred on 0 as high as the interval is wide.
struct VerticalRange
{
    double yMin = 0.0;
    double yMax = 0.0;
};

VerticalRange StandardVerticalRange(double a, double b);

// World coordinates of the plot area's edges: the interval plus 5 % of its width on either
// side, the vertical range plus 10 % of its height above (room for the equation) and 5 % below.
struct WorldRect
{
    double left = 0.0;
    double top = 1.0;
    double right = 1.0;
    double bottom = 0.0;
};

// The edges for a view, or nothing when an edge overflows or the view has no width or no
// height; the caller then keeps the mapping it had.
std::optional<WorldRect> PlotEdges(double a, double b, double yMin, double yMax);

// World <-> pixel conversion of the plot area's inner surface (y upward in the world, downward
// on the surface).
class WorldMapping
{
public:
    // Until the first proper view: the unit square.
    WorldMapping() = default;
    WorldMapping(const WorldRect &edges, double pixelWidth, double pixelHeight);

    // Pixel position of a world point. Coordinates far outside the surface are pulled in to
    // kPixelLimit so that a painter never sees huge numbers; false for NaN input or results.
    bool ToPixel(double x, double y, double &px, double &py) const;
    void ToWorld(double px, double py, double &x, double &y) const;

    // Pixels per horizontal world unit (negative when the interval runs from right to left).
    double HorizontalScale() const;

    const WorldRect &Edges() const { return m_edges; }
    double PixelWidth() const { return m_pixelWidth; }
    double PixelHeight() const { return m_pixelHeight; }

    static constexpr double kPixelLimit = 1e5;

private:
    WorldRect m_edges;
    double m_pixelWidth = 1.0;
    double m_pixelHeight = 1.0;
};

// One axis line in world coordinates. An axis whose zero lies outside the view is drawn
// dashed along the edge of the range on the side where it lies.
struct AxisSegment
{
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
    bool dashed = false;
};

// The horizontal axis first, then the vertical one; both span only the interval and the range.
std::array<AxisSegment, 2> AxisSegments(double a, double b, double yMin, double yMax);

} // namespace zv

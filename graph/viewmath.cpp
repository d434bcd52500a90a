#include "graph/viewmath.h"

#include <algorithm>
#include <cmath>

namespace zv {

namespace {

int Sign(double v)
{
    return (v > 0.0) - (v < 0.0);
}

} // namespace

VerticalRange StandardVerticalRange(double a, double b)
{
    // Zero counts as not negative, so [0; 4] gets a range centred on 0.
    if ((a < 0.0) != (b < 0.0)) {
        return {a, b};
    }
    const double h = -(b - a) * 0.5;
    return {h, -h};
}

std::optional<WorldRect> PlotEdges(double a, double b, double yMin, double yMax)
{
    const double w = b - a;
    const double h = yMax - yMin;
    const WorldRect edges{a - 0.05 * w, yMax + 0.1 * h, b + 0.05 * w, yMin - 0.05 * h};
    const double width = edges.right - edges.left;
    const double height = edges.top - edges.bottom;
    const bool finite = std::isfinite(edges.left) && std::isfinite(edges.right) &&
                        std::isfinite(edges.top) && std::isfinite(edges.bottom) &&
                        std::isfinite(width) && std::isfinite(height);
    if (!finite || width == 0.0 || height == 0.0) {
        return std::nullopt;
    }
    return edges;
}

WorldMapping::WorldMapping(const WorldRect &edges, double pixelWidth, double pixelHeight)
    : m_edges(edges)
    , m_pixelWidth(pixelWidth)
    , m_pixelHeight(pixelHeight)
{
}

bool WorldMapping::ToPixel(double x, double y, double &px, double &py) const
{
    const double u = (x - m_edges.left) / (m_edges.right - m_edges.left) * m_pixelWidth;
    const double v = (m_edges.top - y) / (m_edges.top - m_edges.bottom) * m_pixelHeight;
    if (std::isnan(u) || std::isnan(v)) {
        return false;
    }
    px = std::clamp(u, -kPixelLimit, kPixelLimit);
    py = std::clamp(v, -kPixelLimit, kPixelLimit);
    return true;
}

void WorldMapping::ToWorld(double px, double py, double &x, double &y) const
{
    x = m_edges.left + px / m_pixelWidth * (m_edges.right - m_edges.left);
    y = m_edges.top - py / m_pixelHeight * (m_edges.top - m_edges.bottom);
}

double WorldMapping::HorizontalScale() const
{
    return m_pixelWidth / (m_edges.right - m_edges.left);
}

std::array<AxisSegment, 2> AxisSegments(double a, double b, double yMin, double yMax)
{
    std::array<AxisSegment, 2> axes;
    if (Sign(yMin) * Sign(yMax) > 0) {
        const double y = yMin <= 0.0 ? yMax : yMin;
        axes[0] = {a, y, b, y, true};
    } else {
        axes[0] = {a, 0.0, b, 0.0, false};
    }
    if (Sign(a) * Sign(b) > 0) {
        const double x = a <= 0.0 ? b : a;
        axes[1] = {x, yMin, x, yMax, true};
    } else {
        axes[1] = {0.0, yMin, 0.0, yMax, false};
    }
    return axes;
}

} // namespace zv

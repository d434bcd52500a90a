#include "graph/overlaypainter.h"

#include "graph/plotpainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>

namespace zv {

namespace {

const QColor kBandColour(90, 150, 255, 48);
const QColor kLineColour(0, 60, 220);
const QColor kPointColour(0, 40, 160);
constexpr double kPointRadius = 3.0;
// The equation's text starts at a + 0.006 w, in a plot 1.1 w wide from a - 0.05 w.
constexpr double kTextIndent = 0.056 / 1.1;

// The part of the line through two points that lies inside the plot's world rectangle, by
// clipping the line's parameter to each pair of edges (Liang and Barsky).
std::optional<QLineF> AcrossThePlot(const PlotOverlay::Line &line, const WorldRect &edges,
                                    const WorldMapping &mapping)
{
    const double dx = line.x2 - line.x1, dy = line.y2 - line.y1;
    double lo = -INFINITY, hi = INFINITY;
    const auto clip = [&](double d, double from, double low, double high) {
        if (d == 0.0)
            return std::min(low, high) <= from && from <= std::max(low, high);
        const double t1 = (low - from) / d, t2 = (high - from) / d;
        lo = std::max(lo, std::min(t1, t2));
        hi = std::min(hi, std::max(t1, t2));
        return lo <= hi;
    };
    if (!(std::isfinite(dx) && std::isfinite(dy)) || (dx == 0.0 && dy == 0.0) ||
        !clip(dx, line.x1, edges.left, edges.right) ||
        !clip(dy, line.y1, edges.bottom, edges.top) || !std::isfinite(lo) || !std::isfinite(hi))
        return std::nullopt;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (!mapping.ToPixel(line.x1 + lo * dx, line.y1 + lo * dy, x1, y1) ||
        !mapping.ToPixel(line.x1 + hi * dx, line.y1 + hi * dy, x2, y2))
        return std::nullopt;
    return QLineF(x1, y1, x2, y2);
}

} // namespace

QRectF OverlayCaptionBox(const PlotOverlay &overlay, const WorldMapping &mapping, const QFont &font)
{
    if (overlay.caption.isEmpty())
        return {};
    const QFontMetricsF metrics(font);
    const double height = metrics.height();
    return {mapping.PixelWidth() * kTextIndent, mapping.PixelHeight() - 1 - height,
            metrics.horizontalAdvance(overlay.caption), height};
}

void PaintOverlay(QPainter &painter, const PlotOverlay &overlay, const WorldMapping &mapping,
                  bool vector)
{
    if (overlay.IsEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (overlay.bracket) {
        double left = 0, right = 0, y = 0;
        if (mapping.ToPixel(overlay.bracket->lo, 0, left, y) &&
            mapping.ToPixel(overlay.bracket->hi, 0, right, y)) {
            painter.fillRect(QRectF(QPointF(std::min(left, right), 0),
                                    QPointF(std::max(left, right), mapping.PixelHeight())),
                             kBandColour);
        }
    }
    painter.setPen(LinePen(kLineColour, vector));
    for (const PlotOverlay::Line &line : overlay.lines) {
        if (const std::optional<QLineF> across = AcrossThePlot(line, mapping.Edges(), mapping))
            painter.drawLine(*across);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPointColour);
    for (const PlotOverlay::Point &point : overlay.points) {
        double px = 0, py = 0;
        if (mapping.ToPixel(point.x, point.y, px, py))
            painter.drawEllipse(QPointF(px, py), kPointRadius, kPointRadius);
    }
    if (!overlay.caption.isEmpty()) {
        const QRectF box = OverlayCaptionBox(overlay, mapping, painter.font());
        painter.setPen(kPointColour);
        painter.drawText(QPointF(box.left(), box.top() + QFontMetricsF(painter.font()).ascent()),
                         overlay.caption);
    }
    painter.restore();
}

} // namespace zv

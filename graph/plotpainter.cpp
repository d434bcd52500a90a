#include "graph/plotpainter.h"

#include "engine/evaluator.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <string>

namespace zv {

namespace {

const QColor kCurveColour(255, 0, 0);
const QColor kAxisColour(0, 0, 0);

// One device pixel wide on any surface, so a high-density screen shows thin, sharp lines.
QPen Hairline(const QColor &colour, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, 1, style);
    pen.setCosmetic(true);
    return pen;
}

void PaintAxes(QPainter &painter, const PlotView &view, const WorldMapping &mapping)
{
    for (const AxisSegment &axis : AxisSegments(view.a, view.b, view.yMin, view.yMax)) {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (!mapping.ToPixel(axis.x1, axis.y1, x1, y1) ||
            !mapping.ToPixel(axis.x2, axis.y2, x2, y2)) {
            continue;
        }
        painter.setPen(Hairline(kAxisColour, axis.dashed ? Qt::DashLine : Qt::SolidLine));
        painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
}

void PaintCurve(QPainter &painter, const SampledCurve &curve, const WorldMapping &mapping)
{
    painter.setPen(Hairline(kCurveColour));
    for (const auto &piece : curve.pieces) {
        // A piece starts with a single pixel; each further point adds a segment from the pen.
        bool havePen = false;
        QPointF pen;
        for (const WorldPoint &p : piece) {
            double px = 0, py = 0;
            if (!mapping.ToPixel(p.x, p.y, px, py)) {
                continue;
            }
            const QPointF here(px, py);
            if (havePen) {
                painter.drawLine(pen, here);
            } else {
                painter.drawPoint(here);
            }
            pen = here;
            havePen = true;
        }
    }
}

// Writes text with its top-left corner at the world point (x, y).
void PaintText(QPainter &painter, const WorldMapping &mapping, double x, double y,
               const QString &text)
{
    double px = 0, py = 0;
    if (text.isEmpty() || !std::isfinite(x) || !std::isfinite(y) ||
        !mapping.ToPixel(x, y, px, py)) {
        return;
    }
    const QFontMetricsF metrics(painter.font());
    painter.drawText(QPointF(px, py + metrics.ascent()), text);
}

void PaintEquation(QPainter &painter, const PlotView &view, const WorldMapping &mapping)
{
    const QString equation = view.function + QStringLiteral(" = 0");
    const double w = view.b - view.a;
    const double h = view.yMax - view.yMin;
    const double x = view.a + 0.006 * w;
    painter.setPen(kAxisColour);
    PaintText(painter, mapping, x, view.yMax + 0.09 * h, equation.left(kEquationLineLength));
    PaintText(painter, mapping, x, view.yMax + 0.05 * h, equation.mid(kEquationLineLength));
}

} // namespace

bool PaintPlot(QPainter &painter, const PlotView &view, WorldMapping &mapping)
{
    const QPaintDevice *device = painter.device();
    const QSizeF surface = QSizeF(device->width(), device->height()) / device->devicePixelRatioF();
    UpdatePlotMapping(view, surface, mapping);
    return PaintSampledPlot(painter, view, SamplePlotCurve(view), mapping);
}

SampledCurve SamplePlotCurve(const PlotView &view)
{
    const std::u16string function = view.function.toStdU16String();
    const auto f = [&function](double x, int16_t &code) { return Evaluate(function, x, code); };
    return SampleCurve(f, view.a, view.b, view.yMin, view.yMax, view.precision);
}

void UpdatePlotMapping(const PlotView &view, QSizeF surface, WorldMapping &mapping)
{
    if (const auto edges = PlotEdges(view.a, view.b, view.yMin, view.yMax)) {
        mapping = WorldMapping(*edges, surface.width(), surface.height());
    }
}

bool PaintSampledPlot(QPainter &painter, const PlotView &view, const SampledCurve &curve,
                      const WorldMapping &mapping)
{
    PaintAxes(painter, view, mapping);
    PaintCurve(painter, curve, mapping);
    PaintEquation(painter, view, mapping);
    return CurveTooSmall(curve, view.a, view.b, view.yMin, view.yMax);
}

void PaintRootMarker(QPainter &painter, const WorldMapping &mapping, double x, double radius)
{
    double px = 0, py = 0;
    const double r = std::fabs(radius * mapping.HorizontalScale());
    if (!std::isfinite(r) || !mapping.ToPixel(x, 0.0, px, py)) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(kCurveColour);
    painter.setBrush(kCurveColour);
    const double pixelRadius = std::min(r, WorldMapping::kPixelLimit);
    painter.drawEllipse(QPointF(px, py), pixelRadius, pixelRadius);
    painter.restore();
}

} // namespace zv

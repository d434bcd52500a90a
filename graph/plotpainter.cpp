#include "graph/plotpainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace zv {

namespace {

const QColor kGridColour(222, 226, 232);
const QColor kScaleColour(70, 70, 70);

QPointF ToPoint(double x, double y)
{
    return {x, y};
}

} // namespace

QPen LinePen(const QColor &colour, bool vector, Qt::PenStyle style)
{
    QPen pen(colour, 1, style);
    pen.setCosmetic(!vector);
    return pen;
}

void PaintAxes(QPainter &painter, const ViewExtent &view, const WorldMapping &mapping, bool vector)
{
    for (const AxisSegment &axis : AxisSegments(view.a, view.b, view.yMin, view.yMax)) {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (!mapping.ToPixel(axis.x1, axis.y1, x1, y1) ||
            !mapping.ToPixel(axis.x2, axis.y2, x2, y2)) {
            continue;
        }
        painter.setPen(LinePen(kAxisColour, vector, axis.dashed ? Qt::DashLine : Qt::SolidLine));
        painter.drawLine(ToPoint(x1, y1), ToPoint(x2, y2));
    }
}

void PaintCurve(QPainter &painter, const SampledCurve &curve, const WorldMapping &mapping,
                bool vector)
{
    painter.setPen(LinePen(kCurveColour, vector));
    for (const auto &piece : curve.pieces) {
        QPolygonF line;
        for (const WorldPoint &p : piece) {
            double px = 0, py = 0;
            if (mapping.ToPixel(p.x, p.y, px, py))
                line << ToPoint(px, py);
        }
        if (line.isEmpty())
            continue;
        if (line.size() == 1) {
            painter.drawPoint(line.front());
        } else if (vector) {
            painter.drawPolyline(line);
        } else {
            // On pixels, a single pixel and then one segment after another from the pen, the
            // way the plot has always been drawn (a polyline joins a few pixels differently).
            painter.drawPoint(line.front());
            for (qsizetype i = 1; i < line.size(); ++i)
                painter.drawLine(line[i - 1], line[i]);
        }
    }
}

std::vector<TextLine> EquationLines(const QString &function, const ViewExtent &view,
                                    const WorldMapping &mapping, const QFont &font)
{
    const QString equation = function + QStringLiteral(" = 0");
    const double w = view.b - view.a;
    const double h = view.yMax - view.yMin;
    const double x = view.a + 0.006 * w;
    const QFontMetricsF metrics(font);
    std::vector<TextLine> lines;
    for (const auto &[y, text] :
         {std::pair{view.yMax + 0.09 * h, equation.left(kEquationLineLength)},
          std::pair{view.yMax + 0.05 * h, equation.mid(kEquationLineLength)}}) {
        double px = 0, py = 0;
        if (text.isEmpty() || !std::isfinite(x) || !std::isfinite(y) ||
            !mapping.ToPixel(x, y, px, py)) {
            continue;
        }
        lines.push_back({QRectF(px, py, metrics.horizontalAdvance(text), metrics.height()), text});
    }
    return lines;
}

void PaintTextLines(QPainter &painter, const std::vector<TextLine> &lines, const QColor &colour)
{
    painter.setPen(colour);
    const QFontMetricsF metrics(painter.font());
    for (const TextLine &line : lines)
        painter.drawText(QPointF(line.box.left(), line.box.top() + metrics.ascent()), line.text);
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

void PaintGrid(QPainter &painter, const PlotScale &scale, bool vector)
{
    painter.setPen(LinePen(kGridColour, vector));
    for (const PixelLine &line : scale.grid)
        painter.drawLine(QPointF(line.x1, line.y1), QPointF(line.x2, line.y2));
}

void PaintScaleMarks(QPainter &painter, const PlotScale &scale, bool vector)
{
    painter.setPen(LinePen(kAxisColour, vector));
    for (const PixelLine &tick : scale.ticks)
        painter.drawLine(QPointF(tick.x1, tick.y1), QPointF(tick.x2, tick.y2));
    painter.setPen(kScaleColour);
    const QFontMetricsF metrics(painter.font());
    for (const ScaleLabel &label : scale.labels) {
        painter.drawText(QPointF(label.box.left, label.box.top + metrics.ascent()),
                         QString::fromStdU16String(label.text));
    }
}

} // namespace zv

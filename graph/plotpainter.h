#pragma once

#include "graph/curvesampling.h"
#include "graph/plotscale.h"
#include "graph/viewcommands.h"
#include "graph/viewmath.h"

#include <QColor>
#include <QPen>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace zv {

// The pieces of a plot, painted in plot units onto a painter whose origin is the top-left
// corner of the plot's inner surface, through the world mapping of that surface. `vector`
// selects lines for vector files and paper (one plot unit wide, scaling with the page, each
// piece of the curve one polyline) instead of lines one device pixel wide, which keep a
// high-density screen's plot sharp.

inline const QColor kCurveColour(255, 0, 0);
inline const QColor kAxisColour(0, 0, 0);

QPen LinePen(const QColor &colour, bool vector, Qt::PenStyle style = Qt::SolidLine);

void PaintAxes(QPainter &painter, const ViewExtent &view, const WorldMapping &mapping, bool vector);
void PaintCurve(QPainter &painter, const SampledCurve &curve, const WorldMapping &mapping,
                bool vector);

// Characters per line of the equation's text; the rest of the text goes on the second line.
inline constexpr int kEquationLineLength = 64;

// The equation's text, "f = 0", on two lines at most in the top margin: where each line
// stands (top-left corner) in plot units, and its text. Measured in the painter's font.
struct TextLine
{
    QRectF box;
    QString text;
};
std::vector<TextLine> EquationLines(const QString &function, const ViewExtent &view,
                                    const WorldMapping &mapping, const QFont &font);
void PaintTextLines(QPainter &painter, const std::vector<TextLine> &lines, const QColor &colour);

// A red disc centred at (x, 0) with the given radius in horizontal world units, round on the
// surface.
void PaintRootMarker(QPainter &painter, const WorldMapping &mapping, double x, double radius);

// The light grid under the curve, then the axes' tick marks and numbers.
void PaintGrid(QPainter &painter, const PlotScale &scale, bool vector);
void PaintScaleMarks(QPainter &painter, const PlotScale &scale, bool vector);

} // namespace zv

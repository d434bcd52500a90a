#pragma once

#include "graph/curvesampling.h"
#include "graph/viewmath.h"

#include <QSizeF>
#include <QString>

class QPainter;

namespace zv {

// What one drawing of a plot depends on.
struct PlotView
{
    QString function; // the text handed to Evaluate, as the window keeps it
    double a = 0.0;
    double b = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
    int precision = 100;
};

// The one drawing routine of a plot, for the window's layer and for any picture made of it:
// axes, curve and the equation in the top margin, in world coordinates of the view, onto a
// painter whose device is the plot's inner surface (the device is not cleared). `mapping` is
// replaced by the view's own; a view without width or height, or one whose edges overflow,
// keeps the mapping given. Returns true when the drawn part of the curve is too small to see.
bool PaintPlot(QPainter &painter, const PlotView &view, WorldMapping &mapping);

// The steps of PaintPlot, for one drawing on several surfaces: sample the curve once (the
// costly part), set the mapping for a surface of the given size in plot units (kept as it was
// for a view without width or height or with overflowing edges), then paint on each surface.
// Lines are one device pixel wide whatever the surface's density.
SampledCurve SamplePlotCurve(const PlotView &view);
void UpdatePlotMapping(const PlotView &view, QSizeF surface, WorldMapping &mapping);
bool PaintSampledPlot(QPainter &painter, const PlotView &view, const SampledCurve &curve,
                      const WorldMapping &mapping);

// A red disc centred at (x, 0) with the given radius in horizontal world units, round on the
// surface.
void PaintRootMarker(QPainter &painter, const WorldMapping &mapping, double x, double radius);

// Characters per line of the equation's text; the rest of the text goes on the second line.
inline constexpr int kEquationLineLength = 64;

} // namespace zv

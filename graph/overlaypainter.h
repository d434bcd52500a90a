#pragma once

#include "graph/viewmath.h"
#include "ui/plotoverlay.h"

#include <QFont>
#include <QRectF>

class QPainter;

namespace zv {

// Where an overlay's caption stands: one line in the bottom margin, below the vertical range,
// left-aligned with the equation's text. Empty for an overlay without a caption.
QRectF OverlayCaptionBox(const PlotOverlay &overlay, const WorldMapping &mapping,
                         const QFont &font);

// The marks of one step of a numerical method over the curve, on the plot's inner surface
// (origin at its top-left corner, plot units): the bracket as a light band over the whole
// height, each line across the whole plot, each point as a small disc, and the caption.
void PaintOverlay(QPainter &painter, const PlotOverlay &overlay, const WorldMapping &mapping,
                  bool vector);

} // namespace zv

#pragma once

#include "graph/graphdocument.h"
#include "ui/plotoverlay.h"

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

namespace zv {

// What the plot's surface shows under the drawing: white with the product's name in the
// lower-right corner until the first save through the button, plain white after it, or the
// picture a batch save took of it.
enum class PlotBackdrop { Logo, Plain, Picture };

// Everything one picture of a plot shows. The screen, the saved and copied pictures, the
// vector files and the printed page are all painted from a scene by PaintScene, so each shows
// the same plot.
struct PlotScene
{
    QString function; // the equation's text, without " = 0"
    DrawnPlot plot;
    bool gridShown = false;
    char16_t separator = u'.'; // of the scale's numbers
    PlotOverlay overlay;
    PlotBackdrop backdrop = PlotBackdrop::Logo;
    QImage backdropPicture; // with PlotBackdrop::Picture
    // Lines for vector files and paper rather than for pixels (see plotpainter.h).
    bool vector = false;
};

// The width of the frame around the plot's inner surface, in plot units.
inline constexpr int kPlotBorder = 1;
// The plot at the window's opening size, frame included.
inline constexpr int kPlotOpeningSize = 321;

// The scene of a document at its last drawing, on the logo backdrop, numbers written with the
// user's decimal separator.
PlotScene SceneOf(const GraphDocument &document);

// The font of every text on the plot: small enough for two lines in the top margin.
QFont PlotFont();

// The world mapping of the scene on an inner surface of that size.
WorldMapping SceneMapping(const PlotScene &scene, QSizeF inner);

// The plot's inner surface in target (plot units), clipped to it: backdrop, grid, axes, scale,
// curve, equation, marked roots and overlay.
void PaintScene(QPainter &painter, const PlotScene &scene, const QRectF &target);
// The plot area as the screen shows it: the scene inside a one-unit frame, `size` with it.
void PaintFramedScene(QPainter &painter, const PlotScene &scene, QSizeF size);
// The framed scene as a picture of that size in plot units, one pixel each.
QImage RenderPicture(const PlotScene &scene, QSize size);

} // namespace zv

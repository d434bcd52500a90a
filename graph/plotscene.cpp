#include "graph/plotscene.h"

#include "graph/logooutline.h"
#include "graph/overlaypainter.h"
#include "graph/plotpainter.h"
#include "graph/plotscale.h"
#include "ui/decimalseparator.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace zv {

namespace {

const QColor kFrameColour(64, 64, 64);
const QColor kLogoColour(200, 208, 226);

// White with the product's name in the lower-right corner, light enough that a curve or an
// axis drawn across it stays clear.
void PaintBackdrop(QPainter &painter, const PlotScene &scene, QSizeF size)
{
    const QRectF surface(QPointF(0, 0), size);
    painter.fillRect(surface, Qt::white);
    if (scene.backdrop == PlotBackdrop::Picture) {
        painter.drawImage(surface, scene.backdropPicture);
    } else if (scene.backdrop == PlotBackdrop::Logo) {
        // The word's line box 6 pixels from the right edge and 4 from the bottom, its baseline
        // on a whole pixel as a line of text would have it.
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.translate(size.width() - 6 - kLogoAdvance,
                          std::round(size.height() - 4 - kLogoDescent));
        painter.fillPath(LogoOutline(), kLogoColour);
        painter.restore();
    }
}

PlotScale SceneScale(const PlotScene &scene, const WorldMapping &mapping, const QFont &font,
                     const std::vector<TextLine> &equation)
{
    std::vector<PixelBox> keepClear;
    const auto keep = [&keepClear](const QRectF &box) {
        if (!box.isEmpty())
            keepClear.push_back({box.left(), box.top(), box.right(), box.bottom()});
    };
    for (const TextLine &line : equation)
        keep(line.box);
    keep(OverlayCaptionBox(scene.overlay, mapping, font));
    const QFontMetricsF metrics(font);
    const TextMeasure measure{[&metrics](std::u16string_view text) {
                                  return metrics.horizontalAdvance(QString::fromUtf16(
                                      text.data(), static_cast<qsizetype>(text.size())));
                              },
                              metrics.height()};
    return LayOutScale(scene.plot.view, mapping, measure, scene.separator, keepClear);
}

} // namespace

PlotScene SceneOf(const GraphDocument &document)
{
    PlotScene scene;
    scene.function = QString::fromStdU16String(document.Function());
    scene.plot = document.Drawn();
    scene.separator = DecimalSeparator();
    return scene;
}

QFont PlotFont()
{
    // A family of its own rather than the desktop's, so that a picture saved without a window
    // (which knows no desktop) shows the texts the window shows. DejaVu Sans is what the font
    // configuration makes of "Sans Serif" where Qt is installed; naming it spares every picture
    // the search through the configuration's aliases, a tenth of a batch export's work. Where
    // it is missing, the style hint still finds a sans-serif family.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    return font;
}

WorldMapping SceneMapping(const PlotScene &scene, QSizeF inner)
{
    return WorldMapping(scene.plot.edges, inner.width(), inner.height());
}

void PaintScene(QPainter &painter, const PlotScene &scene, const QRectF &target)
{
    painter.save();
    painter.translate(target.topLeft());
    const QSizeF size = target.size();
    painter.setClipRect(QRectF(QPointF(0, 0), size), Qt::IntersectClip);
    painter.setFont(PlotFont());
    const WorldMapping mapping = SceneMapping(scene, size);
    const bool vector = scene.vector;

    PaintBackdrop(painter, scene, size);
    const std::vector<TextLine> equation =
        EquationLines(scene.function, scene.plot.view, mapping, painter.font());
    PlotScale scale;
    if (scene.gridShown) {
        scale = SceneScale(scene, mapping, painter.font(), equation);
        PaintGrid(painter, scale, vector);
    }
    PaintAxes(painter, scene.plot.view, mapping, vector);
    if (scene.gridShown)
        PaintScaleMarks(painter, scale, vector);
    PaintCurve(painter, scene.plot.curve, mapping, vector);
    PaintTextLines(painter, equation, kAxisColour);
    for (const double root : scene.plot.markedRoots)
        PaintRootMarker(painter, mapping, root, scene.plot.MarkerRadius());
    PaintOverlay(painter, scene.overlay, mapping, vector);
    painter.restore();
}

void PaintFramedScene(QPainter &painter, const PlotScene &scene, QSizeF size)
{
    // The frame is the whole surface filled, the scene painted inside it: on a screen of twice
    // the density it is two device pixels wide, with no pixel between it and the scene left
    // unpainted.
    painter.fillRect(QRectF(QPointF(0, 0), size), kFrameColour);
    const double border = kPlotBorder;
    PaintScene(painter, scene,
               QRectF(border, border, size.width() - 2 * border, size.height() - 2 * border));
}

QImage RenderPicture(const PlotScene &scene, QSize size)
{
    // The frame fills the whole surface first.
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    PaintFramedScene(painter, scene, QSizeF(size));
    return picture;
}

} // namespace zv

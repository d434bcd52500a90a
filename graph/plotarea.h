#pragma once

#include "graph/viewmath.h"

#include <QImage>
#include <QWidget>

namespace zv {

// The plot surface of a graph window: a square with a one-pixel border around an inner surface
// that shows a background picture and, above it, a persistent drawing layer. Clearing the
// drawing leaves the picture; saving needs both to be reachable apart.
class PlotArea : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kInnerSize = 319;
    static constexpr int kBorder = 1;

    explicit PlotArea(QWidget *parent = nullptr);

    // The drawing layer, inner-surface sized and transparent where nothing is drawn. Call
    // update() after painting on it.
    QImage &Layer() { return m_layer; }
    const QImage &Layer() const { return m_layer; }
    void ClearDrawing();

    const QImage &BackgroundPicture() const { return m_background; }
    // What the surface shows: the background picture with the layer on it.
    QImage PresentImage() const;
    // The present image becomes the background picture (the layer keeps its drawing, which the
    // new picture now holds as well), so a later clearing leaves it in view.
    void TakePresentImageAsBackground();
    // From now on the surface shows a plain white background.
    void RemoveBackgroundPicture();

    // The world mapping of the last drawing; also the one mouse positions are reported in.
    WorldMapping &Mapping() { return m_mapping; }
    const WorldMapping &Mapping() const { return m_mapping; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_background;
    QImage m_layer;
    WorldMapping m_mapping;
};

} // namespace zv

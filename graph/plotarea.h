#pragma once

#include "graph/plotscene.h"
#include "graph/viewmath.h"

#include <QImage>
#include <QWidget>

namespace zv {

// The plot surface of a graph window: a one-unit frame around the inner surface, on which the
// window's scene is painted afresh at each paint, at the surface's present size and at the
// screen's own density (lines one device pixel thin). It opens at 321 x 321 and takes the room
// the window gives it; every position on it is measured in plot units (device-independent
// pixels) through the world mapping of the scene at its present size.
class PlotArea : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kBorder = kPlotBorder;
    static constexpr int kOuterSize = kPlotOpeningSize; // at the opening size
    static constexpr int kInnerSize = kOuterSize - 2 * kBorder;

    explicit PlotArea(QWidget *parent = nullptr);

    // What the surface shows from now on; repaints.
    void SetScene(PlotScene scene);
    const PlotScene &Scene() const { return m_scene; }

    // The world mapping of the inner surface at its present size; also the one mouse positions
    // are reported in.
    WorldMapping Mapping() const;

    // The plot's present size with its frame; the opening size while it has not been shown
    // (a batch export never shows it).
    QSize PictureSize() const;
    // The inner surface as it shows now, in plot units (without the frame).
    QImage PresentImage() const;
    // The plot area as the screen shows it, in plot units, frame included: the picture a save
    // writes (321 x 321 at the opening size).
    QImage FramedImage() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The pointer moved over the plot, or a mouse button went down on it, at (x, y) in world
    // coordinates.
    void pointerMoved(double x, double y);
    void pressed(double x, double y);
    // Whole notches of the mouse wheel over the plot at (x, y): positive away from the user.
    void wheelTurned(int notches, double x, double y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QSizeF InnerSize() const;
    bool WorldPosition(const QPointF &widgetPosition, double &x, double &y) const;

    PlotScene m_scene;
    int m_wheelRemainder = 0; // eighths of a degree not yet a whole notch
};

} // namespace zv

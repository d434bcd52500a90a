#pragma once

#include "graph/viewmath.h"

#include <QImage>
#include <QWidget>
#include <functional>

namespace zv {

// The plot surface of a graph window: a square with a one-pixel border around an inner surface
// that shows a background picture and, above it, a persistent drawing layer. Clearing the
// drawing leaves the picture; saving needs both to be reachable apart.
//
// The picture and the layer are kept in plot units, 319 x 319, which is what is saved and what
// every position on the plot is measured in. On a high-density screen the surface keeps a
// second copy of both at the screen's resolution, painted by the same calls, so that lines
// stay one device pixel thin instead of being blown up.
class PlotArea : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kInnerSize = 319;
    static constexpr int kBorder = 1;
    static constexpr int kOuterSize = kInnerSize + 2 * kBorder;

    explicit PlotArea(QWidget *parent = nullptr);

    // The drawing layer in plot units, transparent where nothing is drawn. Draw on it through
    // Paint, so that the screen's copy follows.
    const QImage &Layer() const { return m_layer; }
    // Runs paint for the layer and, on a high-density screen, once more for the screen's copy;
    // both painters work in plot units and carry the plot's font. Repaints afterwards.
    void Paint(const std::function<void(QPainter &)> &paint);
    void ClearDrawing();
    // The layer as the screen shows it: Layer() itself at one device pixel per plot unit,
    // otherwise the copy at the screen's resolution (its device pixel ratio says which).
    const QImage &ScreenLayer() const;

    const QImage &BackgroundPicture() const { return m_background; }
    // What the surface shows, in plot units: the background picture with the layer on it.
    QImage PresentImage() const;
    // The plot area as the screen shows it, in plot units: the present image inside the
    // one-pixel border, 321 x 321. This is the picture a save writes.
    QImage FramedImage() const;
    // The present image becomes the background picture (the layer keeps its drawing, which the
    // new picture now holds as well), so a later clearing leaves it in view.
    void TakePresentImageAsBackground();
    // From now on the surface shows a plain white background.
    void RemoveBackgroundPicture();

    // The world mapping of the last drawing; also the one mouse positions are reported in.
    WorldMapping &Mapping() { return m_mapping; }
    const WorldMapping &Mapping() const { return m_mapping; }

    QSize sizeHint() const override;

signals:
    // The pointer moved over the plot, or a mouse button went down on it, at (x, y) in world
    // coordinates of the last drawing.
    void pointerMoved(double x, double y);
    void pressed(double x, double y);
    // Whole notches of the mouse wheel over the plot: positive away from the user.
    void wheelTurned(int notches);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    enum class Backdrop { Logo, Taken, Plain };

    bool WorldPosition(const QPointF &widgetPosition, double &x, double &y) const;
    // Makes the screen's copy match the screen the surface is on now.
    void FollowScreenDensity();
    bool HasScreenCopy() const { return m_screenRatio != 1.0; }

    QImage m_background;
    QImage m_layer;
    Backdrop m_backdrop = Backdrop::Logo;
    qreal m_screenRatio = 1.0;
    QImage m_screenBackground;
    QImage m_screenLayer;
    WorldMapping m_mapping;
    int m_wheelRemainder = 0; // eighths of a degree not yet a whole notch
};

} // namespace zv

#include "graph/plotarea.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace zv {

namespace {

// Eighths of a degree in one notch of a common mouse wheel.
constexpr int kWheelNotch = 120;

} // namespace

PlotArea::PlotArea(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

QSize PlotArea::sizeHint() const
{
    return {kOuterSize, kOuterSize};
}

QSize PlotArea::minimumSizeHint() const
{
    return sizeHint();
}

void PlotArea::SetScene(PlotScene scene)
{
    m_scene = std::move(scene);
    update();
}

QSize PlotArea::PictureSize() const
{
    return isVisible() ? size() : sizeHint();
}

QSizeF PlotArea::InnerSize() const
{
    const QSize outer = PictureSize();
    return QSizeF(outer.width() - 2 * kBorder, outer.height() - 2 * kBorder);
}

WorldMapping PlotArea::Mapping() const
{
    return SceneMapping(m_scene, InnerSize());
}

QImage PlotArea::PresentImage() const
{
    QImage image(InnerSize().toSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    PaintScene(painter, m_scene, QRectF(QPointF(0, 0), InnerSize()));
    return image;
}

QImage PlotArea::FramedImage() const
{
    return RenderPicture(m_scene, PictureSize());
}

void PlotArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintFramedScene(painter, m_scene, QSizeF(size()));
}

bool PlotArea::WorldPosition(const QPointF &widgetPosition, double &x, double &y) const
{
    Mapping().ToWorld(widgetPosition.x() - kBorder, widgetPosition.y() - kBorder, x, y);
    return std::isfinite(x) && std::isfinite(y);
}

void PlotArea::mouseMoveEvent(QMouseEvent *event)
{
    double x = 0, y = 0;
    if (WorldPosition(event->position(), x, y)) {
        emit pointerMoved(x, y);
    }
    event->accept();
}

void PlotArea::mousePressEvent(QMouseEvent *event)
{
    double x = 0, y = 0;
    if (WorldPosition(event->position(), x, y)) {
        emit pressed(x, y);
    }
    event->accept();
}

void PlotArea::wheelEvent(QWheelEvent *event)
{
    // Fine-grained wheels and touch pads send parts of a notch; they add up to whole ones.
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / kWheelNotch;
    m_wheelRemainder -= notches * kWheelNotch;
    double x = 0, y = 0;
    if (notches != 0 && WorldPosition(event->position(), x, y)) {
        emit wheelTurned(notches, x, y);
    }
    event->accept();
}

} // namespace zv

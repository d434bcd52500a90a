#include "graph/plotarea.h"

#include <QFont>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace zv {

namespace {

// The one-pixel frame around the inner surface, on a square of the given side.
void PaintBorder(QPainter &painter, int side)
{
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, side - 1, side - 1);
}

// Eighths of a degree in one notch of a common mouse wheel.
constexpr int kWheelNotch = 120;

// An image of the inner surface at `ratio` device pixels per plot unit.
QImage SurfaceImage(qreal ratio, QImage::Format format)
{
    const int side = static_cast<int>(std::ceil(PlotArea::kInnerSize * ratio));
    QImage image(side, side, format);
    image.setDevicePixelRatio(ratio);
    return image;
}

// White with the product's name in the lower-right corner, light enough that a curve or an
// axis drawn across it stays clear.
QImage DrawBackgroundPicture(qreal ratio)
{
    QImage picture = SurfaceImage(ratio, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(15);
    font.setBold(true);
    font.setItalic(true);
    painter.setFont(font);
    painter.setPen(QColor(200, 208, 226));
    const int size = PlotArea::kInnerSize;
    const QRect corner(0, 0, size - 6, size - 4);
    painter.drawText(corner, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Zerovane"));
    return picture;
}

QImage EmptyLayer(qreal ratio)
{
    QImage layer = SurfaceImage(ratio, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    return layer;
}

// background with layer drawn over it, in the background's resolution.
QImage Composed(const QImage &background, const QImage &layer)
{
    QImage image = background.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    painter.drawImage(0, 0, layer);
    return image;
}

} // namespace

PlotArea::PlotArea(QWidget *parent)
    : QWidget(parent)
    , m_background(DrawBackgroundPicture(1.0))
    , m_layer(EmptyLayer(1.0))
{
    setFixedSize(sizeHint());
    // Text on the plot is written in this font; small enough for two lines in the top margin.
    QFont plotFont = font();
    plotFont.setPixelSize(10);
    setFont(plotFont);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    FollowScreenDensity();
}

QSize PlotArea::sizeHint() const
{
    return {kInnerSize + 2 * kBorder, kInnerSize + 2 * kBorder};
}

void PlotArea::Paint(const std::function<void(QPainter &)> &paint)
{
    const auto paintOn = [this, &paint](QImage &layer) {
        QPainter painter(&layer);
        painter.setFont(font());
        paint(painter);
    };
    paintOn(m_layer);
    if (HasScreenCopy()) {
        paintOn(m_screenLayer);
    }
    update();
}

void PlotArea::ClearDrawing()
{
    FollowScreenDensity();
    m_layer.fill(Qt::transparent);
    m_screenLayer.fill(Qt::transparent);
    update();
}

const QImage &PlotArea::ScreenLayer() const
{
    return HasScreenCopy() ? m_screenLayer : m_layer;
}

QImage PlotArea::PresentImage() const
{
    return Composed(m_background, m_layer);
}

QImage PlotArea::FramedImage() const
{
    QImage framed(kOuterSize, kOuterSize, QImage::Format_RGB32);
    QPainter painter(&framed);
    PaintBorder(painter, kOuterSize);
    painter.drawImage(kBorder, kBorder, PresentImage());
    return framed;
}

void PlotArea::TakePresentImageAsBackground()
{
    m_background = PresentImage();
    if (HasScreenCopy()) {
        m_screenBackground = Composed(m_screenBackground, m_screenLayer);
    }
    m_backdrop = Backdrop::Taken;
    update();
}

void PlotArea::RemoveBackgroundPicture()
{
    m_background.fill(Qt::white);
    m_screenBackground.fill(Qt::white);
    m_backdrop = Backdrop::Plain;
    update();
}

void PlotArea::FollowScreenDensity()
{
    const qreal ratio = devicePixelRatioF();
    if (ratio == m_screenRatio) {
        return;
    }
    m_screenRatio = ratio;
    if (!HasScreenCopy()) {
        m_screenBackground = QImage();
        m_screenLayer = QImage();
        return;
    }
    // The drawing is made afresh after every clearing; the backdrop is made again here.
    m_screenLayer = EmptyLayer(ratio);
    switch (m_backdrop) {
    case Backdrop::Logo:
        m_screenBackground = DrawBackgroundPicture(ratio);
        break;
    case Backdrop::Plain:
        m_screenBackground = SurfaceImage(ratio, QImage::Format_RGB32);
        m_screenBackground.fill(Qt::white);
        break;
    case Backdrop::Taken: {
        m_screenBackground = SurfaceImage(ratio, QImage::Format_RGB32);
        QPainter painter(&m_screenBackground);
        painter.drawImage(QRectF(0, 0, kInnerSize, kInnerSize), m_background);
        break;
    }
    }
}

void PlotArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintBorder(painter, width());
    // Until the next drawing after a move to a screen of another density, the plot-unit images
    // stand in for the screen's copy.
    const bool screenCopy = HasScreenCopy() && m_screenRatio == devicePixelRatioF();
    const QRectF inner(kBorder, kBorder, kInnerSize, kInnerSize);
    painter.drawImage(inner, screenCopy ? m_screenBackground : m_background);
    painter.drawImage(inner, screenCopy ? m_screenLayer : m_layer);
}

bool PlotArea::WorldPosition(const QPointF &widgetPosition, double &x, double &y) const
{
    m_mapping.ToWorld(widgetPosition.x() - kBorder, widgetPosition.y() - kBorder, x, y);
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
    if (notches != 0) {
        emit wheelTurned(notches);
    }
    event->accept();
}

} // namespace zv

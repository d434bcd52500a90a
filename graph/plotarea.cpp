#include "graph/plotarea.h"

#include <QFont>
#include <QPainter>

namespace zv {

namespace {

// White with the product's name in the lower-right corner, light enough that a curve or an
// axis drawn across it stays clear.
QImage DrawBackgroundPicture(int size)
{
    QImage picture(size, size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(15);
    font.setBold(true);
    font.setItalic(true);
    painter.setFont(font);
    painter.setPen(QColor(200, 208, 226));
    const QRect corner(0, 0, size - 6, size - 4);
    painter.drawText(corner, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Zerovane"));
    return picture;
}

QImage EmptyLayer(int size)
{
    QImage layer(size, size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    return layer;
}

} // namespace

PlotArea::PlotArea(QWidget *parent)
    : QWidget(parent)
    , m_background(DrawBackgroundPicture(kInnerSize))
    , m_layer(EmptyLayer(kInnerSize))
{
    setFixedSize(sizeHint());
    // Text on the plot is written in this font; small enough for two lines in the top margin.
    QFont plotFont = font();
    plotFont.setPixelSize(10);
    setFont(plotFont);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize PlotArea::sizeHint() const
{
    return {kInnerSize + 2 * kBorder, kInnerSize + 2 * kBorder};
}

void PlotArea::ClearDrawing()
{
    m_layer.fill(Qt::transparent);
    update();
}

QImage PlotArea::PresentImage() const
{
    QImage image = m_background.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    painter.drawImage(0, 0, m_layer);
    return image;
}

void PlotArea::TakePresentImageAsBackground()
{
    m_background = PresentImage();
    update();
}

void PlotArea::RemoveBackgroundPicture()
{
    m_background.fill(Qt::white);
    update();
}

void PlotArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, width() - 1, height() - 1);
    painter.drawImage(kBorder, kBorder, m_background);
    painter.drawImage(kBorder, kBorder, m_layer);
}

} // namespace zv

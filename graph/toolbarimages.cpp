#include "graph/toolbarimages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace zv {

namespace {

const QColor kInk(40, 40, 40);
const QColor kGlass(225, 238, 252);
const QColor kAccent(200, 30, 30);

void DrawMagnifier(QPainter &p, bool plus)
{
    p.setPen(QPen(kInk, 2));
    p.setBrush(kGlass);
    p.drawEllipse(QPointF(10, 10), 7, 7);
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15.5, 15.5), QPointF(21, 21));
    p.setPen(QPen(kAccent, 2));
    p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
    if (plus) {
        p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
    }
}

void DrawHome(QPainter &p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(250, 240, 210));
    p.drawRect(QRectF(6, 11, 12, 10));
    p.setBrush(kAccent);
    p.drawPolygon(QPolygonF({QPointF(3, 12), QPointF(12, 3), QPointF(21, 12)}));
    p.setBrush(QColor(120, 80, 40));
    p.drawRect(QRectF(10.5, 15, 3, 6));
}

void DrawSave(QPainter &p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(60, 90, 160));
    p.drawRect(QRectF(3.5, 3.5, 17, 17));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 3.5, 10, 7));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(7, 14, 10, 6.5));
}

void DrawEval(QPainter &p)
{
    QFont font(QStringLiteral("Serif"));
    font.setPixelSize(12);
    font.setItalic(true);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(QRectF(0, 0, kToolbarImageSize, kToolbarImageSize), Qt::AlignCenter,
               QStringLiteral("f(x)"));
}

void DrawRedim(QPainter &p)
{
    // A coarse and a fine polyline: the drawing precision.
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(2, 21.5), QPointF(22, 21.5));
    p.setPen(QPen(QColor(120, 120, 120), 1.5));
    p.drawPolyline(QPolygonF({QPointF(3, 18), QPointF(9, 6), QPointF(15, 18), QPointF(21, 6)}));
    QPainterPath fine;
    fine.moveTo(3, 18);
    for (int i = 1; i <= 18; ++i) {
        const double x = 3 + i;
        fine.lineTo(x, 12 + 6 * std::cos((x - 3) * 3.14159265358979 / 6));
    }
    p.setPen(QPen(kAccent, 1.5));
    p.drawPath(fine);
}

void DrawHelp(QPainter &p)
{
    p.setPen(QPen(QColor(30, 60, 140), 1.5));
    p.setBrush(QColor(70, 120, 210));
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, kToolbarImageSize, kToolbarImageSize), Qt::AlignCenter,
               QStringLiteral("?"));
}

void DrawCanopy(QPainter &p)
{
    // A curve stretched between two bars: the vertical range fitted to the function.
    p.setPen(QPen(kInk, 1.5));
    p.drawLine(QPointF(3, 3.5), QPointF(21, 3.5));
    p.drawLine(QPointF(3, 20.5), QPointF(21, 20.5));
    QPainterPath canopy;
    canopy.moveTo(3, 20);
    canopy.cubicTo(8, -4, 16, -4, 21, 20);
    p.setPen(QPen(kAccent, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(canopy);
}

} // namespace

QPixmap ToolbarImage(const QString &key)
{
    QPixmap image(kToolbarImageSize, kToolbarImageSize);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (key == QLatin1String("imgzoomin") || key == QLatin1String("imgzoomout")) {
        DrawMagnifier(p, key == QLatin1String("imgzoomin"));
    } else if (key == QLatin1String("imghome")) {
        DrawHome(p);
    } else if (key == QLatin1String("imgsave")) {
        DrawSave(p);
    } else if (key == QLatin1String("imgeval")) {
        DrawEval(p);
    } else if (key == QLatin1String("imgredim")) {
        DrawRedim(p);
    } else if (key == QLatin1String("imghelp")) {
        DrawHelp(p);
    } else if (key == QLatin1String("imgcanopy")) {
        DrawCanopy(p);
    }
    return image;
}

} // namespace zv

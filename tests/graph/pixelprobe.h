#pragma once

// Reading a plot's drawing layer in world coordinates.
#include "graph/viewmath.h"

#include <QImage>
#include <cmath>

namespace zv::test {

inline bool IsRed(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qRed(pixel) == 255 && qGreen(pixel) == 0 && qBlue(pixel) == 0;
}

inline bool IsBlack(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qRed(pixel) == 0 && qGreen(pixel) == 0 && qBlue(pixel) == 0;
}

inline QPoint PixelOf(const WorldMapping &mapping, double x, double y)
{
    double px = 0, py = 0;
    mapping.ToPixel(x, y, px, py);
    return {static_cast<int>(std::floor(px)), static_cast<int>(std::floor(py))};
}

// Whether some pixel within `reach` pixels of p satisfies test.
template<typename Test>
bool AnyNear(const QImage &image, QPoint p, int reach, Test test)
{
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint q(p.x() + dx, p.y() + dy);
            if (image.valid(q) && test(image.pixel(q))) {
                return true;
            }
        }
    }
    return false;
}

} // namespace zv::test

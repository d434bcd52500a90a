#include "ui/cursoricons.h"

#include <QImage>
#include <QPixmap>
#include <cstdlib>
#include <gtest/gtest.h>

namespace zv {
namespace {

QImage Picture(int number)
{
    return CursorIcon(number).pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

// Pixels whose coverage differs noticeably (smoothed edges of a mirror may differ by a shade).
int Differences(const QImage &one, const QImage &other)
{
    int count = one.size() == other.size() ? 0 : 1;
    for (int y = 0; count == 0 && y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            count += std::abs(qAlpha(one.pixel(x, y)) - qAlpha(other.pixel(x, y))) > 64 ||
                     std::abs(qGray(one.pixel(x, y)) - qGray(other.pixel(x, y))) > 64;
        }
    }
    return count;
}

TEST(CursorIcons, EightArrowsLoadedInTheirDirections)
{
    EXPECT_EQ(CursorIcon(100).shape(), Qt::ArrowCursor);
    LoadCursorIcons();
    for (int number = kFirstCursorIcon; number <= kLastCursorIcon; ++number) {
        EXPECT_EQ(CursorIcon(number).pixmap().deviceIndependentSize(), QSizeF(16, 16)) << number;
        EXPECT_EQ(CursorIcon(number).hotSpot(), QPoint(8, 8)) << number;
    }
    // Opposite directions mirror each other; the right arrow's tip is at the right and the
    // up-right arrow's head in the top-right corner.
    for (const auto &[number, mirror, horizontally] : {std::tuple{103, 102, true},
                                                       {104, 101, false},
                                                       {105, 106, true},
                                                       {105, 107, false},
                                                       {107, 108, true}}) {
        const QImage mirrored = Picture(number).mirrored(horizontally, !horizontally);
        EXPECT_EQ(Differences(mirrored, Picture(mirror)), 0) << number;
    }
    const double unit = Picture(103).width() / 16.0;
    const auto dark = [unit](int number, double x, double y) {
        const QRgb pixel = Picture(number).pixel(int(x * unit), int(y * unit));
        return qAlpha(pixel) == 255 && qGray(pixel) < 64;
    };
    EXPECT_EQ(std::vector({dark(103, 13, 8), dark(103, 2, 3), dark(105, 13, 3), dark(105, 3, 3)}),
              std::vector({true, false, true, false}));
}

} // namespace
} // namespace zv

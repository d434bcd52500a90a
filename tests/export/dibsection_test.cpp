#include "export/dibsection.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace zv {
namespace {

// A top-down 32-bit picture whose pixel (x, y) is 0xff000000 | x << 16 | y << 8 | (x ^ y):
// every pixel tells where it came from. The rows carry padding of their own, not to be copied.
struct Picture
{
    Picture(int w, int h, int extraBytes = 0)
        : rows{nullptr, w, h, 4 * w + extraBytes}
        , bytes(static_cast<size_t>(rows.bytesPerLine * h), 0xEE)
    {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const uint32_t pixel = 0xff000000u | x << 16 | y << 8 | (x ^ y);
                std::memcpy(&bytes[size_t(y * rows.bytesPerLine + 4 * x)], &pixel, 4);
            }
        }
        rows.bits = bytes.data();
    }
    PixelRows rows;
    std::vector<uint8_t> bytes;
};

// Blue, green, red of the bitmap's pixel (x, y), y counted from the picture's top.
std::vector<int> Bgr(const cDIBSection &bitmap, int x, int y)
{
    const uint8_t *p = bitmap.DIBSectionBitsPtr() +
                       size_t(bitmap.Height() - 1 - y) * bitmap.BytesPerScanLine() + 3 * x;
    return {p[0], p[1], p[2]};
}

TEST(DibSection, RowsAreBottomUpBlueGreenRedPaddedWithZerosToFourBytes)
{
    for (const auto &[width, bytesPerLine] : {std::pair{1, 4}, {3, 12}, {4, 12}, {250, 752}}) {
        SCOPED_TRACE(width);
        cDIBSection bitmap;
        bitmap.CreateFromPicture(Picture(width, 3, 8).rows);
        ASSERT_EQ(std::vector({bitmap.Width(), bitmap.Height(), bitmap.BytesPerScanLine()}),
                  std::vector({width, 3, bytesPerLine}));
        const uint8_t *first = bitmap.DIBSectionBitsPtr();
        const int last = width - 1;
        EXPECT_EQ(Bgr(bitmap, last, 0), (std::vector<int>{last, 0, last}));
        EXPECT_EQ(Bgr(bitmap, last, 1), (std::vector<int>{(last ^ 1) & 0xff, 1, last}));
        for (int y = 0; y < 3; ++y) {
            for (int i = 3 * width; i < bytesPerLine; ++i)
                EXPECT_EQ(first[y * bytesPerLine + i], 0) << y << " " << i;
        }
    }
}

TEST(DibSection, CreateReplacesTheBitmapAndClearUpEmptiesIt)
{
    cDIBSection bitmap;
    bitmap.ClearUp();                                        // on an empty object: nothing to do
    EXPECT_FALSE(bitmap.LoadPictureBlt(Picture(1, 1).rows)); // nothing to copy into
    ASSERT_TRUE(bitmap.Create(5, 4));
    bitmap.DIBSectionBitsPtr()[0] = 0x77;
    ASSERT_TRUE(bitmap.Create(2, 3)); // the first bitmap is released, the new one is black
    EXPECT_EQ(std::vector({bitmap.Width(), bitmap.Height(), bitmap.BytesPerScanLine()}),
              std::vector({2, 3, 8}));
    EXPECT_EQ(std::vector<uint8_t>(bitmap.DIBSectionBitsPtr(), bitmap.DIBSectionBitsPtr() + 24),
              std::vector<uint8_t>(24, 0));

    // Sizes that cannot be made leave the object empty.
    for (const auto &[w, h] : {std::pair{0, 3}, std::pair{3, -1}, std::pair{1 << 30, 4}}) {
        EXPECT_FALSE(bitmap.Create(w, h)) << w << " x " << h;
        EXPECT_EQ(bitmap.DIBSectionBitsPtr(), nullptr);
        EXPECT_EQ(bitmap.Width() + bitmap.Height(), 0);
    }
    ASSERT_TRUE(bitmap.Create(2, 2));
    bitmap.ClearUp();
    EXPECT_EQ(bitmap.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(bitmap.Height() + bitmap.BytesPerScanLine(), 0);
}

TEST(DibSection, LoadPictureBltCopiesOrCombinesARectangleAtTheTopLeftCorner)
{
    const Picture picture(10, 8);
    cDIBSection bitmap;
    ASSERT_TRUE(bitmap.Create(3, 2));
    ASSERT_TRUE(bitmap.LoadPictureBlt(picture.rows)); // from the origin, the bitmap's size
    EXPECT_EQ(Bgr(bitmap, 2, 1), (std::vector<int>{2 ^ 1, 1, 2}));
    ASSERT_TRUE(bitmap.LoadPictureBlt(picture.rows, 4, 5));
    EXPECT_EQ(Bgr(bitmap, 0, 0), (std::vector<int>{4 ^ 5, 5, 4}));

    // A smaller rectangle leaves the rest; one reaching past the source is clipped.
    ASSERT_TRUE(bitmap.Create(3, 2));
    ASSERT_TRUE(bitmap.LoadPictureBlt(picture.rows, 9, 7, 2, 1));
    EXPECT_EQ(Bgr(bitmap, 0, 0), (std::vector<int>{9 ^ 7, 7, 9}));
    EXPECT_EQ(Bgr(bitmap, 1, 0), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Bgr(bitmap, 0, 1), (std::vector<int>{0, 0, 0}));

    // Raster operations combine one pixel of bytes 0x0F with a bitmap holding 0x3C in every byte.
    const uint32_t source = 0xff0f0f0f;
    const PixelRows rows{reinterpret_cast<const uint8_t *>(&source), 1, 1, 4};
    const std::pair<RasterOp, int> table[] = {
        {RasterOp::SourceCopy, 0x0F},    {RasterOp::SourcePaint, 0x3F},
        {RasterOp::SourceAnd, 0x0C},     {RasterOp::SourceInvert, 0x33},
        {RasterOp::NotSourceCopy, 0xF0}, {RasterOp(0x42), -1}};
    for (const auto &[op, expected] : table) {
        SCOPED_TRACE(static_cast<int>(op));
        ASSERT_TRUE(bitmap.Create(1, 1));
        std::memset(bitmap.DIBSectionBitsPtr(), 0x3C, 3);
        ASSERT_EQ(bitmap.LoadPictureBlt(rows, 0, 0, -1, -1, op), expected >= 0);
        if (expected >= 0) {
            EXPECT_EQ(Bgr(bitmap, 0, 0), (std::vector<int>{expected, expected, expected}));
        }
    }
}

} // namespace
} // namespace zv

#include "export/dibsection.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace zv {
namespace {

// A top-down 32-bit picture whose pixel (x, y) is 0xff000000 | x << 16 | y << 8 | (x ^ y):
// every pixel tells where it came from.
struct Picture
{
    Picture(int w, int h, int extraBytes = 0)
        : width(w)
        , height(h)
        , stride(4 * w + extraBytes)
        , bytes(static_cast<size_t>(stride * h), 0xEE)
    {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const uint32_t pixel =
                    0xff000000u | uint32_t(x) << 16 | uint32_t(y) << 8 | uint32_t(x ^ y);
                std::memcpy(&bytes[size_t(y * stride + 4 * x)], &pixel, 4);
            }
        }
    }
    PixelRows Rows() const { return {bytes.data(), width, height, stride}; }
    int width, height, stride;
    std::vector<uint8_t> bytes;
};

// Blue, green, red of the bitmap's pixel (x, y), y counted from the picture's top.
std::vector<int> Bgr(const cDIBSection &bitmap, int x, int y)
{
    const uint8_t *p = bitmap.DIBSectionBitsPtr() +
                       size_t(bitmap.Height() - 1 - y) * size_t(bitmap.BytesPerScanLine()) +
                       3 * size_t(x);
    return {p[0], p[1], p[2]};
}

struct LayoutRow
{
    int width;
    int bytesPerLine;
};

TEST(DibSection, RowsAreBottomUpBlueGreenRedPaddedToFourBytes)
{
    const LayoutRow rows[] = {{1, 4}, {3, 12}, {4, 12}, {250, 752}};
    for (const LayoutRow &row : rows) {
        SCOPED_TRACE(row.width);
        const Picture picture(row.width, 3, 8); // the source's own padding is not copied
        cDIBSection bitmap;
        bitmap.CreateFromPicture(picture.Rows());
        ASSERT_EQ(bitmap.Width(), row.width);
        ASSERT_EQ(bitmap.Height(), 3);
        EXPECT_EQ(bitmap.BytesPerScanLine(), row.bytesPerLine);
        const uint8_t *first = bitmap.DIBSectionBitsPtr();
        // The first row in memory is the picture's bottom row (y = 2).
        EXPECT_EQ(first[0], 2); // blue: 0 ^ 2
        EXPECT_EQ(first[1], 2); // green: y
        EXPECT_EQ(first[2], 0); // red: x
        const int last = row.width - 1;
        EXPECT_EQ(Bgr(bitmap, last, 0), (std::vector<int>{last ^ 0, 0, last}));
        EXPECT_EQ(Bgr(bitmap, last, 1), (std::vector<int>{(last ^ 1) & 0xff, 1, last}));
        // Padding bytes are zero, not left over from anything.
        for (int y = 0; y < 3; ++y) {
            for (int i = 3 * row.width; i < row.bytesPerLine; ++i)
                EXPECT_EQ(first[y * row.bytesPerLine + i], 0) << y << " " << i;
        }
    }
}

TEST(DibSection, CreateReplacesTheBitmapAndClearUpEmptiesIt)
{
    cDIBSection bitmap;
    EXPECT_EQ(bitmap.DIBSectionBitsPtr(), nullptr);
    bitmap.ClearUp(); // on an empty object: nothing to do
    EXPECT_EQ(bitmap.Width(), 0);

    ASSERT_TRUE(bitmap.Create(5, 4));
    bitmap.DIBSectionBitsPtr()[0] = 0x77;
    ASSERT_TRUE(bitmap.Create(2, 3)); // the first bitmap is released, the new one is black
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.BytesPerScanLine(), 8);
    for (int i = 0; i < 8 * 3; ++i)
        EXPECT_EQ(bitmap.DIBSectionBitsPtr()[i], 0) << i;

    // Sizes that cannot be made leave the object empty.
    for (const auto &[w, h] : {std::pair{0, 3}, std::pair{3, -1}, std::pair{1 << 30, 4}}) {
        EXPECT_FALSE(bitmap.Create(w, h)) << w << " x " << h;
        EXPECT_EQ(bitmap.DIBSectionBitsPtr(), nullptr);
        EXPECT_EQ(bitmap.Width(), 0);
    }
    bitmap.CreateFromPicture(PixelRows{});
    EXPECT_EQ(bitmap.DIBSectionBitsPtr(), nullptr);

    ASSERT_TRUE(bitmap.Create(2, 2));
    bitmap.ClearUp();
    EXPECT_EQ(bitmap.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(bitmap.Height(), 0);
}

TEST(DibSection, LoadPictureBltCopiesARectangleToTheTopLeftCorner)
{
    const Picture picture(10, 8);
    cDIBSection bitmap;
    ASSERT_TRUE(bitmap.Create(3, 2));
    // Defaults: from the source's origin, exactly the bitmap's size.
    ASSERT_TRUE(bitmap.LoadPictureBlt(picture.Rows()));
    EXPECT_EQ(Bgr(bitmap, 2, 1), (std::vector<int>{2 ^ 1, 1, 2}));

    ASSERT_TRUE(bitmap.LoadPictureBlt(picture.Rows(), 4, 5));
    EXPECT_EQ(Bgr(bitmap, 0, 0), (std::vector<int>{4 ^ 5, 5, 4}));
    EXPECT_EQ(Bgr(bitmap, 2, 1), (std::vector<int>{6 ^ 6, 6, 6}));

    // A smaller rectangle leaves the rest; one reaching past the source is clipped.
    ASSERT_TRUE(bitmap.Create(3, 2));
    ASSERT_TRUE(bitmap.LoadPictureBlt(picture.Rows(), 9, 7, 2, 1));
    EXPECT_EQ(Bgr(bitmap, 0, 0), (std::vector<int>{9 ^ 7, 7, 9}));
    EXPECT_EQ(Bgr(bitmap, 1, 0), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Bgr(bitmap, 0, 1), (std::vector<int>{0, 0, 0}));

    cDIBSection empty;
    EXPECT_FALSE(empty.LoadPictureBlt(picture.Rows()));
}

TEST(DibSection, RasterOperationsCombineSourceAndBitmap)
{
    // One white pixel of bytes 0x0F over a bitmap already holding 0x3C in every byte.
    const uint32_t source = 0xff0f0f0f;
    const PixelRows rows{reinterpret_cast<const uint8_t *>(&source), 1, 1, 4};
    struct Row
    {
        const char *name;
        RasterOp op;
        int expected;
    };
    const Row table[] = {
        {"copy", RasterOp::SourceCopy, 0x0F},
        {"or", RasterOp::SourcePaint, 0x3F},
        {"and", RasterOp::SourceAnd, 0x0C},
        {"xor", RasterOp::SourceInvert, 0x33},
        {"not source", RasterOp::NotSourceCopy, 0xF0},
    };
    for (const Row &row : table) {
        SCOPED_TRACE(row.name);
        cDIBSection bitmap;
        ASSERT_TRUE(bitmap.Create(1, 1));
        std::memset(bitmap.DIBSectionBitsPtr(), 0x3C, 3);
        ASSERT_TRUE(bitmap.LoadPictureBlt(rows, 0, 0, -1, -1, row.op));
        EXPECT_EQ(Bgr(bitmap, 0, 0), (std::vector<int>{row.expected, row.expected, row.expected}));
    }
    cDIBSection bitmap;
    ASSERT_TRUE(bitmap.Create(1, 1));
    EXPECT_FALSE(bitmap.LoadPictureBlt(rows, 0, 0, -1, -1, static_cast<RasterOp>(0x42)));
}

} // namespace
} // namespace zv

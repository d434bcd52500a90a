#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zv {

// A picture as a toolkit hands it over: top-down rows of 32-bit pixels 0xAARRGGBB in the
// machine's byte order (alpha ignored), each row bytesPerLine long.
struct PixelRows
{
    const uint8_t *bits = nullptr;
    int width = 0;
    int height = 0;
    int bytesPerLine = 0;
};

// The raster operations of a block copy, by their usual codes: what a destination byte becomes
// from the source byte s and its own value d.
enum class RasterOp : uint32_t {
    SourceCopy = 0xCC0020,    // s
    SourcePaint = 0xEE0086,   // s | d
    SourceAnd = 0x8800C6,     // s & d
    SourceInvert = 0x660046,  // s ^ d
    NotSourceCopy = 0x330008, // ~s
};

// An owned 24-bit bottom-up bitmap: rows of blue-green-red pixels, the first row in memory
// being the bottom row of the picture, each row padded with zero bytes to a multiple of 4.
// Empty (no pixels, width and height 0) after construction and after ClearUp.
class cDIBSection
{
public:
    cDIBSection() = default;
    ~cDIBSection() { ClearUp(); }
    cDIBSection(const cDIBSection &) = delete;
    cDIBSection &operator=(const cDIBSection &) = delete;

    // Releases any previous bitmap, then makes a black one of width x height. False (and
    // empty) for a size that is not positive or memory that cannot be had.
    bool Create(int width, int height);

    // This object becomes a copy of picture at its size; empty when it cannot be made.
    void CreateFromPicture(const PixelRows &picture);

    // Copies the rectangle of source at (srcLeft, srcTop) to this bitmap's top-left corner.
    // A negative srcWidth or srcHeight means this bitmap's own width or height. The rectangle
    // is clipped to both pictures. False when this bitmap is empty or op is not one of
    // RasterOp's.
    bool LoadPictureBlt(const PixelRows &source, int srcLeft = 0, int srcTop = 0, int srcWidth = -1,
                        int srcHeight = -1, RasterOp op = RasterOp::SourceCopy);

    // 3 x Width rounded up to a multiple of 4.
    int BytesPerScanLine() const { return ((m_width + 1) * 3) & ~3; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The first byte of the bottom row; nullptr when empty.
    const uint8_t *DIBSectionBitsPtr() const
    {
        return m_pixels.empty() ? nullptr : m_pixels.data();
    }
    uint8_t *DIBSectionBitsPtr() { return m_pixels.empty() ? nullptr : m_pixels.data(); }

    void ClearUp();

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_pixels;
};

} // namespace zv

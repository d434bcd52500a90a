#include "export/dibsection.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zv {

namespace {

// A picture bigger than this many bytes is refused rather than attempted.
constexpr int64_t kMaxBytes = int64_t{1} << 31;

// Calls visit with what a destination byte becomes from the source byte s and its own value d
// under op, so that the choice is made once per copy rather than once per byte. False for an op
// that is none of RasterOp's.
template<typename Visit>
bool WithCombination(RasterOp op, Visit visit)
{
    switch (op) {
    case RasterOp::SourceCopy:
        visit([](uint8_t s, uint8_t) { return s; });
        return true;
    case RasterOp::SourcePaint:
        visit([](uint8_t s, uint8_t d) { return static_cast<uint8_t>(s | d); });
        return true;
    case RasterOp::SourceAnd:
        visit([](uint8_t s, uint8_t d) { return static_cast<uint8_t>(s & d); });
        return true;
    case RasterOp::SourceInvert:
        visit([](uint8_t s, uint8_t d) { return static_cast<uint8_t>(s ^ d); });
        return true;
    case RasterOp::NotSourceCopy:
        visit([](uint8_t s, uint8_t) { return static_cast<uint8_t>(~s); });
        return true;
    }
    return false;
}

// 3 x width rounded up to a multiple of 4: the width's pixels and the row's padding.
int64_t RowBytes(int64_t width)
{
    return ((width + 1) * 3) & ~int64_t{3};
}

bool IsKnown(RasterOp op)
{
    return WithCombination(op, [](auto) {});
}

} // namespace

bool cDIBSection::Create(int width, int height)
{
    ClearUp();
    if (width <= 0 || height <= 0 || RowBytes(width) * height > kMaxBytes)
        return false;
    try {
        m_pixels.assign(static_cast<size_t>(RowBytes(width) * height), 0);
    } catch (const std::bad_alloc &) {
        return false;
    }
    m_width = width;
    m_height = height;
    return true;
}

void cDIBSection::CreateFromPicture(const PixelRows &picture)
{
    if (picture.bits == nullptr || picture.bytesPerLine < 4 * picture.width ||
        !Create(picture.width, picture.height)) {
        ClearUp();
        return;
    }
    LoadPictureBlt(picture);
}

bool cDIBSection::LoadPictureBlt(const PixelRows &source, int srcLeft, int srcTop, int srcWidth,
                                 int srcHeight, RasterOp op)
{
    if (m_pixels.empty() || !IsKnown(op))
        return false;
    if (srcWidth < 0)
        srcWidth = m_width;
    if (srcHeight < 0)
        srcHeight = m_height;
    // What lies outside the source is not copied; the bitmap keeps its own pixels there.
    const int64_t left = std::max(srcLeft, 0);
    const int64_t top = std::max(srcTop, 0);
    const int64_t right =
        std::min({int64_t{srcLeft} + srcWidth, int64_t{srcLeft} + m_width, int64_t{source.width}});
    const int64_t bottom =
        std::min({int64_t{srcTop} + srcHeight, int64_t{srcTop} + m_height, int64_t{source.height}});
    if (source.bits == nullptr || right <= left || bottom <= top)
        return true;

    const size_t stride = static_cast<size_t>(BytesPerScanLine());
    WithCombination(op, [&](auto combine) {
        for (int64_t y = top; y < bottom; ++y) {
            const uint8_t *from = source.bits + static_cast<size_t>(y * source.bytesPerLine);
            const int64_t row = m_height - 1 - (y - srcTop);
            uint8_t *to = m_pixels.data() + static_cast<size_t>(row) * stride;
            for (int64_t x = left; x < right; ++x) {
                uint32_t pixel = 0;
                std::memcpy(&pixel, from + 4 * static_cast<size_t>(x), sizeof pixel);
                uint8_t *bgr = to + 3 * static_cast<size_t>(x - srcLeft);
                bgr[0] = combine(static_cast<uint8_t>(pixel), bgr[0]);
                bgr[1] = combine(static_cast<uint8_t>(pixel >> 8), bgr[1]);
                bgr[2] = combine(static_cast<uint8_t>(pixel >> 16), bgr[2]);
            }
        }
    });
    return true;
}

void cDIBSection::ClearUp()
{
    m_pixels.clear();
    m_pixels.shrink_to_fit();
    m_width = 0;
    m_height = 0;
}

} // namespace zv

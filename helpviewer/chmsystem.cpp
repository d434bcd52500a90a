#include "helpviewer/chmsystem.h"

#include <algorithm>
#include <cstdint>

namespace zv {

namespace {

// Record codes of "#SYSTEM".
constexpr uint16_t kSystemContents = 0;
constexpr uint16_t kSystemIndex = 1;
constexpr uint16_t kSystemDefaultTopic = 2;
constexpr uint16_t kSystemTitle = 3;
constexpr uint16_t kSystemDefaultWindow = 5;

// Byte offsets inside one window definition of "#WINDOWS".
constexpr size_t kWindowUnicode = 0x04;
constexpr size_t kWindowName = 0x08;
constexpr size_t kWindowValidMembers = 0x0c;
constexpr size_t kWindowCaption = 0x14;
constexpr size_t kWindowRect = 0x20;
constexpr size_t kWindowNavigationWidth = 0x4c;
constexpr size_t kWindowContents = 0x60;
constexpr size_t kWindowIndex = 0x64;
constexpr size_t kWindowDefault = 0x68;
constexpr size_t kWindowHome = 0x6c;
constexpr size_t kWindowMinimumSize = 0x70;
// Bits of the valid-members field.
constexpr uint32_t kValidRect = 1u << 4;
constexpr uint32_t kValidNavigationWidth = 1u << 5;

// A sane bound for a window definition: the ones in use are 188 or 196 bytes.
constexpr uint32_t kWindowMaximumSize = 4096;

uint32_t ReadU32(std::string_view bytes, size_t offset)
{
    uint32_t value = 0;
    for (size_t i = 4; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

uint16_t ReadU16(std::string_view bytes, size_t offset)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                 (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

// The text up to the first NUL (or the end).
std::string TextOf(std::string_view bytes)
{
    return std::string(bytes.substr(0, bytes.find('\0')));
}

std::string StringAt(std::string_view strings, uint32_t offset)
{
    if (offset == 0 || offset >= strings.size())
        return {};
    return TextOf(strings.substr(offset));
}

} // namespace

ChmSystem ParseChmSystem(std::string_view system)
{
    ChmSystem result;
    size_t pos = 4; // after the version
    while (pos + 4 <= system.size()) {
        const uint16_t code = ReadU16(system, pos);
        const uint16_t length = ReadU16(system, pos + 2);
        pos += 4;
        if (length > system.size() - pos)
            break;
        const std::string_view data = system.substr(pos, length);
        pos += length;
        switch (code) {
        case kSystemContents:
            result.contentsFile = TextOf(data);
            break;
        case kSystemIndex:
            result.indexFile = TextOf(data);
            break;
        case kSystemDefaultTopic:
            result.defaultTopic = TextOf(data);
            break;
        case kSystemTitle:
            result.title = TextOf(data);
            break;
        case kSystemDefaultWindow:
            result.defaultWindow = TextOf(data);
            break;
        default:
            break;
        }
    }
    return result;
}

std::vector<ChmWindow> ParseChmWindows(std::string_view windows, std::string_view strings)
{
    std::vector<ChmWindow> result;
    if (windows.size() < 8)
        return result;
    const uint32_t count = ReadU32(windows, 0);
    const uint32_t size = ReadU32(windows, 4);
    if (size < kWindowMinimumSize || size > kWindowMaximumSize)
        return result;
    size_t pos = 8;
    for (uint32_t i = 0; i < count && size <= windows.size() - pos; ++i, pos += size) {
        const std::string_view entry = windows.substr(pos, size);
        // Definitions written in UTF-16 are not used by our files; they are left out.
        if (ReadU32(entry, kWindowUnicode) != 0)
            continue;
        ChmWindow window;
        window.name = StringAt(strings, ReadU32(entry, kWindowName));
        window.caption = StringAt(strings, ReadU32(entry, kWindowCaption));
        window.contentsFile = StringAt(strings, ReadU32(entry, kWindowContents));
        window.indexFile = StringAt(strings, ReadU32(entry, kWindowIndex));
        window.defaultFile = StringAt(strings, ReadU32(entry, kWindowDefault));
        window.homeFile = StringAt(strings, ReadU32(entry, kWindowHome));
        const uint32_t valid = ReadU32(entry, kWindowValidMembers);
        if (valid & kValidRect) {
            window.left = static_cast<int32_t>(ReadU32(entry, kWindowRect));
            window.top = static_cast<int32_t>(ReadU32(entry, kWindowRect + 4));
            window.right = static_cast<int32_t>(ReadU32(entry, kWindowRect + 8));
            window.bottom = static_cast<int32_t>(ReadU32(entry, kWindowRect + 12));
            window.hasRect = window.right > window.left && window.bottom > window.top;
        }
        if (valid & kValidNavigationWidth)
            window.navigationWidth =
                std::max(0, static_cast<int32_t>(ReadU32(entry, kWindowNavigationWidth)));
        result.push_back(std::move(window));
    }
    return result;
}

} // namespace zv

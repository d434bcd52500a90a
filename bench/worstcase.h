#pragma once

#include <string>

namespace zv::bench {

// The longest text an entry field holds.
inline constexpr size_t kFieldLimit = 32767;

// "sin(x)+sin(x)+...+sin(x)": as many whole terms as fit in an entry field (4,681 terms,
// 32,766 characters). Roots at every multiple of pi, and as many turning points.
inline std::u16string LongestFunction()
{
    std::u16string text = u"sin(x)";
    text.reserve(kFieldLimit);
    while (text.size() + 7 <= kFieldLimit)
        text += u"+sin(x)";
    return text;
}

// The same terms followed by a constant above their sum's reach: no root at all.
inline std::u16string LongestFunctionWithoutRoot()
{
    std::u16string text = u"9999";
    text.reserve(kFieldLimit);
    while (text.size() + 7 <= kFieldLimit)
        text += u"+sin(x)";
    return text;
}

} // namespace zv::bench

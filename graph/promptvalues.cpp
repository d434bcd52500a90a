#include "graph/promptvalues.h"

#include "engine/numbertext.h"

#include <cmath>
#include <string>

namespace zv {

std::optional<double> ReadPromptNumber(std::u16string_view text)
{
    std::u16string pointed(text);
    for (char16_t &c : pointed) {
        if (c == u',') {
            c = u'.';
        }
    }
    const double value = ReadLeadingNumber(pointed);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

PromptRefusal IntervalRefusal(double a, double b)
{
    const double width = b - a;
    if (!(a < b)) {
        return PromptRefusal::NotBelow;
    }
    if (width < kMinIntervalWidth) {
        return PromptRefusal::TooNarrow;
    }
    // An infinite width, from ends near the double range, is too wide as well.
    if (!(width <= kMaxIntervalWidth)) {
        return PromptRefusal::TooWide;
    }
    return PromptRefusal::None;
}

std::optional<int> AcceptedPrecision(double value)
{
    // nearbyint rounds in the default mode, to nearest with ties to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= kMinPrecision && rounded <= kMaxPrecision)) {
        return std::nullopt;
    }
    return static_cast<int>(rounded);
}

} // namespace zv

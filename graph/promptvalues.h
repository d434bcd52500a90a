#pragma once

#include <optional>
#include <string_view>

namespace zv {

// A number typed into a prompt box: every "," is read as "."; blanks are skipped, then the
// longest leading number is taken, and a text without one gives 0. Nothing when the number
// lies beyond the double range, which the prompts report as invalid data.
std::optional<double> ReadPromptNumber(std::u16string_view text);

// Why a prompt's answer was refused, for the line the window writes under "Invalid data !".
enum class PromptRefusal {
    None,             // taken
    TooLarge,         // a number beyond the double range
    NotBelow,         // a new interval whose a is not below its b
    TooNarrow,        // narrower than kMinIntervalWidth
    TooWide,          // wider than kMaxIntervalWidth
    PrecisionOutside, // not a whole number from kMinPrecision to kMaxPrecision once rounded
};

// A new interval typed after F9 is taken when a < b and its width lies from 0.001 to 500;
// otherwise the first of those rules it breaks, in that order.
PromptRefusal IntervalRefusal(double a, double b);
inline bool IntervalAccepted(double a, double b)
{
    return IntervalRefusal(a, b) == PromptRefusal::None;
}

// A precision typed after F8: the value rounded to a whole number (ties to even), when that
// lies from 20 to 800.
std::optional<int> AcceptedPrecision(double value);

inline constexpr double kMinIntervalWidth = 0.001;
inline constexpr double kMaxIntervalWidth = 500.0;
inline constexpr int kMinPrecision = 20;
inline constexpr int kMaxPrecision = 800;

} // namespace zv

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zv {

// What the Evaluate window shows after a calculation.
struct EvaluationOutcome
{
    enum Focus { kFocusUnchanged, kFocusFunction, kFocusPoint };

    std::u16string valueText;                     // f(x0), or "Error"
    std::optional<std::u16string> derivativeText; // f'(x0), "Error" or "f is not
                                                  // differentiable"; none: left as it was
    std::optional<std::u16string> pointHint;      // new tool tip of the point field; none: kept
    bool errorShown = false;                      // whether the error label is shown
    std::string errorText;                        // its text when shown
    Focus focus = kFocusUnchanged;
    int caret = 0; // 0-based caret in the focused field (when the focus moves)
};

inline constexpr int kEvaluationDecimals = 8;

// The Calculate command: checks the function (x allowed) and the point (a constant
// expression), evaluates the point at x = 0, then f and f' at the unrounded point. Stops at the
// first failure. Numbers are rounded to 8 decimals and written with decimalSeparator.
EvaluationOutcome EvaluateAtPoint(std::u16string_view functionText, std::u16string_view pointText,
                                  char16_t decimalSeparator = u'.');

// Whether a typed point is a plain number (blanks, a sign, digits with one "." or ",", an
// exponent) rather than an expression such as pi/4.
bool IsPlainNumber(std::u16string_view text);

} // namespace zv

#pragma once

#include <string>
#include <string_view>

namespace zv {

// What the Newton window shows after a search.
struct NewtonOutcome
{
    enum Focus { kFocusUnchanged, kFocusFunction, kFocusInitialValue };

    std::u16string valueText; // the root as a number text, "No root." or "Error"
    bool errorShown = false;  // whether the error label is shown
    std::string errorText;    // its text when shown
    Focus focus = kFocusUnchanged;
    int caret = 0; // 0-based caret in the focused field (when focus changes)
    bool rootFound = false;
};

// The window's Find command: checks the function and the initial value, evaluates the initial
// value at x = 0 and runs NewtonSolve from it.
NewtonOutcome NewtonSearch(std::u16string_view functionText, std::u16string_view initialText,
                           char16_t decimalSeparator = u'.');

// The window's Aprox: a translated function and an initial value, no checks.
NewtonOutcome NewtonFromPoint(std::u16string_view translatedFunction, double x0,
                              char16_t decimalSeparator = u'.');

} // namespace zv

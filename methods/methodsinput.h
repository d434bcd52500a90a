#pragma once

#include "methods/comparison.h"

#include <string>
#include <string_view>

namespace zv {

// The check of the comparison's five fields, in this order: f passes the checker (x allowed);
// a and b pass it as constant expressions and have values, a < b; the tolerance is a plain
// number ("1e-10", "0,001") or a constant expression, above 0; x0 is a constant expression,
// or empty for the middle of [a; b].
struct MethodsCheck
{
    enum Field { kFunction, kA, kB, kTolerance, kStart };

    bool passed = false;
    MethodsInput input; // when passed
    std::string errorText;
    Field field = kFunction;   // the field at fault
    int caret = 0;             // 0-based caret there: before the faulty token, or at the end
    bool checkerFault = false; // the checker refused the text (the caret is then its position)
};

MethodsCheck CheckMethodsInput(std::u16string_view function, std::u16string_view a,
                               std::u16string_view b, std::u16string_view tolerance,
                               std::u16string_view x0);

// A plain decimal number, with "." or "," and an optional exponent, blanks around allowed;
// false for anything else.
bool ReadPlainNumber(std::u16string_view text, double &value);

} // namespace zv

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zv {

// Token classes; the numbers are what the neighbour rules compare.
enum TokenClass : int16_t {
    kNumberToken = 1,
    kOperandToken = 2,
    kStartMarker = 3,
    kEndMarker = 4,
    kFunctionToken = 5,
    kOpenBracket = 6,
    kCloseBracket = 7,
    kOperatorToken = 8,
    kUnknownToken = 16,
};

struct CheckResult
{
    // The translated text on success; empty on a fault, except a bracket count left
    // unbalanced at the end (code 11), where it is the translation as far as it was built.
    std::u16string text;
    int16_t code = 0;
    // 1-based, counted with the start marker in front: the first typed character is at 2.
    // Callers put the caret at position - 2 (0-based), right before the faulty token.
    int position = 2;
};

// "x" while a function is checked, empty while a number field is checked. Set by
// CheckAndTranslate, read by GetToken; keeps its value after a check.
extern std::u16string VariableName;

// Checks a typed text token by token and translates it for Evaluate: commas become points and
// implicit products get an explicit "*". With allowVariable false only constant expressions pass.
CheckResult CheckAndTranslate(std::u16string_view text, bool allowVariable);

// Reads the token at or after readPos (1-based, in and out: skips blanks and ends on the
// token's first character). Sets token (its first character in lower case) and lastPos (the
// position of its last character) and returns its class.
int16_t GetToken(std::u16string_view text, int &readPos, std::u16string &token, int &lastPos);

} // namespace zv

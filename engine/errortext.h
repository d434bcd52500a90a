#pragma once

#include <cstdint>
#include <string>

namespace zv {

// One code space for every fault of the expression engine. 0 is success; callers treat any
// code below 1 as success.
enum ErrorCode : int16_t {
    kNoError = 0,
    kLnDomain = 2,
    kTgPole = 3,
    kSqrtDomain = 4,
    kArcsinDomain = 5,
    kArccosDomain = 6,
    kDivisionByZero = 7,
    kOverflow = 8,
    kEvaluationFailed = 9,
    kBracketsMismatch = 11,
    kOperandNotFollowed = 12,
    kFunctionWithoutBracket = 13,
    kTwoOperators = 14,
    kInvalidAfterBracket = 15,
    kUnknownName = 16,
    kEmptyExpression = 17,
    kOperatorBeforeBracket = 19,
    kEmptyBrackets = 20,
    kStartsWithBracket = 21,
    kStartsWithOperator = 22,
    kEndsWithOperator = 23,
};

enum ErrorLanguageId : int16_t { kEnglish = 1, kRomanian = 2 };

// The language of ErrorText. English; nothing in the program changes it.
extern int16_t ErrorLanguage;

// "Error #<code> : <text>" in ErrorLanguage; unknown codes get "Unknown error.". Never fails.
std::string ErrorText(int16_t code);

} // namespace zv

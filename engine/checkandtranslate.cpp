#include "engine/checkandtranslate.h"

#include "engine/errortext.h"

#include <array>

namespace zv {

std::u16string VariableName;

namespace {

constexpr char16_t kBlank = u' ';

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}
bool IsLowerLetter(char16_t c)
{
    return c >= u'a' && c <= u'z';
}

// Only the 26 unaccented letters change case: characters are compared by their code.
char16_t ToLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}

constexpr std::array<std::u16string_view, 18> kFunctionNames = {
    u"ln", u"abs", u"exp",    u"r",      u"r3",    u"int", u"frac", u"sin", u"cos",
    u"tg", u"tan", u"arcsin", u"arccos", u"arctg", u"atn", u"sh",   u"ch",  u"th",
};

int16_t ClassifyName(std::u16string_view name)
{
    if ((!VariableName.empty() && name == VariableName) || name == u"e" || name == u"pi")
        return kOperandToken;
    for (auto f : kFunctionNames) {
        if (name == f)
            return kFunctionToken;
    }
    return kUnknownToken;
}

// Character at a 1-based position; 0 past the end (never a blank, digit or letter).
char16_t At(std::u16string_view text, int pos)
{
    return (pos >= 1 && pos <= static_cast<int>(text.size())) ? text[pos - 1] : char16_t(0);
}

// The neighbour rule for a token of class `current` after one of class `previous`.
// Returns the code it sets (0 for none); `insertStar` tells whether a "*" goes before it.
int16_t NeighbourRule(int16_t previous, int16_t current, char16_t firstChar, bool &insertStar)
{
    insertStar = false;
    const bool minus = firstChar == u'-';
    switch (previous) {
    case kNumberToken:
        if (current == kNumberToken || current == kStartMarker)
            return kOperandNotFollowed;
        insertStar =
            current == kOperandToken || current == kFunctionToken || current == kOpenBracket;
        return 0;
    case kOperandToken:
        if (current == kNumberToken || current == kOperandToken || current == kStartMarker ||
            current == kFunctionToken)
            return kOperandNotFollowed;
        insertStar = current == kOpenBracket;
        return 0;
    case kFunctionToken:
        return current == kOpenBracket ? 0 : kFunctionWithoutBracket;
    case kOpenBracket:
        if (current == kCloseBracket || current == kEndMarker)
            return kEmptyBrackets;
        if (current == kOperatorToken && !minus)
            return kTwoOperators;
        return 0;
    case kStartMarker:
        if (current == kCloseBracket)
            return kStartsWithBracket;
        if (current == kOperatorToken && !minus)
            return kStartsWithOperator;
        return 0;
    case kCloseBracket:
        if (current != kOperatorToken && current != kCloseBracket && current != kEndMarker)
            return kInvalidAfterBracket;
        return 0;
    case kOperatorToken:
        if (current == kOperatorToken)
            return kTwoOperators;
        if (current == kCloseBracket)
            return kOperatorBeforeBracket;
        if (current == kEndMarker)
            return kEndsWithOperator;
        return 0;
    default: // after a typed "]" anything goes
        return 0;
    }
}

} // namespace

int16_t GetToken(std::u16string_view text, int &readPos, std::u16string &token, int &lastPos)
{
    while (At(text, readPos) == kBlank)
        ++readPos;

    const char16_t c = ToLower(At(text, readPos));
    token.assign(1, c);
    lastPos = readPos;

    switch (c) {
    case u'(':
        return kOpenBracket;
    case u'[':
        return kStartMarker;
    case u')':
        return kCloseBracket;
    case u']':
        return kEndMarker;
    case u'+':
    case u'-':
    case u'*':
    case u'/':
    case u'^':
        return kOperatorToken;
    default:
        break;
    }

    if (IsDigit(c)) {
        int p = readPos + 1;
        for (char16_t n = At(text, p); IsDigit(n) || n == u'.' || n == u','; n = At(text, ++p))
            token.push_back(n);
        lastPos = p - 1;
        return kNumberToken;
    }
    if (IsLowerLetter(c)) {
        // Only the first letter may be upper case; an upper-case letter after it ends the name.
        int p = readPos + 1;
        for (char16_t n = At(text, p); IsLowerLetter(n) || IsDigit(n); n = At(text, ++p))
            token.push_back(n);
        lastPos = p - 1;
        return ClassifyName(token);
    }
    return kUnknownToken;
}

CheckResult CheckAndTranslate(std::u16string_view typed, bool allowVariable)
{
    CheckResult result;

    std::u16string text(typed);
    for (auto &c : text) {
        if (c == u',')
            c = u'.';
    }
    if (allowVariable)
        VariableName.assign(1, u'x');
    else
        VariableName.clear();

    if (text.find_first_not_of(kBlank) == std::u16string::npos) {
        result.code = kEmptyExpression;
        return result;
    }

    const std::u16string bracketed = u"[" + text + u"]";
    const int length = static_cast<int>(bracketed.size());
    int readPos = 2;
    int16_t previous = kStartMarker;
    long bracketCount = 1;
    // The translation is built by appending: the typed text up to each inserted "*", then the
    // rest, so that its cost stays linear in the text's length.
    std::u16string output;
    output.reserve(text.size() + text.size() / 2);
    size_t copied = 0; // characters of text already in output
    std::u16string token;

    while (readPos <= length) {
        int lastPos = 0;
        const int16_t current = GetToken(bracketed, readPos, token, lastPos);
        result.position = readPos;
        const int tokenPos = readPos;
        readPos = lastPos + 1;

        if (current == kUnknownToken) {
            result.code = kUnknownName;
            return result;
        }
        if (token[0] == u'(')
            ++bracketCount;
        else if (token[0] == u')' || token[0] == u']')
            --bracketCount;
        if (bracketCount < 0) {
            result.code = kBracketsMismatch;
            return result;
        }

        bool insertStar = false;
        const int16_t code = NeighbourRule(previous, current, token[0], insertStar);
        if (code != 0) {
            result.code = code;
            return result;
        }
        if (insertStar) {
            // Right before the token's first character, after any blanks in front of it.
            const size_t before = static_cast<size_t>(tokenPos - 2);
            output.append(text, copied, before - copied);
            output.push_back(u'*');
            copied = before;
        }
        previous = current;
    }

    output.append(text, copied, std::u16string::npos);
    result.text = std::move(output);
    if (bracketCount != 0)
        result.code = kBracketsMismatch;
    return result;
}

} // namespace zv

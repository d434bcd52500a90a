#include "engine/checkandtranslate.h"
#include "engine/errortext.h"
#include "tests/support/cases.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

constexpr bool F = true;  // a function: x allowed
constexpr bool N = false; // a number field

TEST(CheckAndTranslate, CodePositionAndTranslation)
{
    // position: checked only on a fault; translation: checked on success and for code 11.
    using Row =
        std::tuple<const char *, std::u16string_view, bool, int16_t, int, std::u16string_view>;
    const Row cases[] = {
        // Blank texts are found before the markers are added.
        {"Empty", u"", F, kEmptyExpression, 2, u""},
        {"ThreeBlanks", u"   ", F, kEmptyExpression, 2, u""},
        {"Polynomial", u"x^2-4", F, 0, 0, u"x^2-4"},
        {"VariableInNumberField", u"x", N, kUnknownName, 2, u""},
        {"ConstantExpression", u"pi/4", N, 0, 0, u"pi/4"},
        {"DecimalComma", u"2,9", N, 0, 0, u"2.9"},
        {"EveryCommaReplaced", u"1,5+2,25*x", F, 0, 0, u"1.5+2.25*x"},
        // The "*" goes right before the token, after any blanks.
        {"ImplicitProduct", u"2x", F, 0, 0, u"2*x"},
        {"ImplicitProductAfterBlank", u"2 x", F, 0, 0, u"2 *x"},
        {"NumberBeforeBracket", u"2(x+1)", F, 0, 0, u"2*(x+1)"},
        {"VariableBeforeBracket", u"x(x+1)", F, 0, 0, u"x*(x+1)"},
        {"NumberBeforeFunction", u"2sin(x)", F, 0, 0, u"2*sin(x)"},
        {"SeveralProducts", u"2x(3x+1)", F, 0, 0, u"2*x*(3*x+1)"},
        {"UnknownNameX2", u"x2", F, kUnknownName, 2, u""},
        {"FunctionWithoutBracket", u"sin x", F, kFunctionWithoutBracket, 6, u""},
        {"LeadingPlus", u"+x", F, kStartsWithOperator, 2, u""},
        {"LeadingMinus", u"-x", F, 0, 0, u"-x"},
        {"MinusAfterBracket", u"(-x)", F, 0, 0, u"(-x)"},
        {"LeadingCloseBracket", u")x", F, kStartsWithBracket, 2, u""},
        {"OperatorBeforeCloseBracket", u"(x+)", F, kOperatorBeforeBracket, 5, u""},
        {"TrailingOperator", u"x+", F, kEndsWithOperator, 4, u""},
        {"UnclosedBracket", u"(x", F, kBracketsMismatch, 4, u"(x"},
        {"ExtraCloseAtEnd", u"x)", F, kBracketsMismatch, 4, u""},
        {"EmptyBrackets", u"()", F, kEmptyBrackets, 3, u""},
        {"FunctionEmptyBrackets", u"sin()", F, kEmptyBrackets, 6, u""},
        {"TwoNumbers", u"2 3", F, kOperandNotFollowed, 4, u""},
        {"ExponentLiteralIsAName", u"1e5", F, kUnknownName, 3, u""},
        {"LeadingPoint", u".5", F, kUnknownName, 2, u""},
        {"EqualsSign", u"x^2=4", F, kUnknownName, 5, u""},
        {"TabIsNotABlank", u"x\t+1", F, kUnknownName, 3, u""},
        {"CapitalFirstLetters", u"Sin(X)+Abs(x)", F, 0, 0, u"Sin(X)+Abs(x)"},
        {"UpperCaseNameSplits", u"SIN(x)", F, kUnknownName, 2, u""},
        {"TypedSquarePair", u"[x+1]", F, kBracketsMismatch, 7, u""},
        {"SquareClosesRound", u"(x]", F, 0, 0, u"(x]"},
        {"TwoOperators", u"2*-x", F, kTwoOperators, 4, u""},
        {"ProductOfBrackets", u"(x+1)(x-1)", F, kInvalidAfterBracket, 7, u""},
        {"ProductOfFunctions", u"sin(x)cos(x)", F, kInvalidAfterBracket, 8, u""},
        {"OperatorAfterOpenBracket", u"(*x)", F, kTwoOperators, 3, u""},
        {"OperandAfterOperand", u"x pi", F, kOperandNotFollowed, 4, u""},
        {"NumberAfterVariable", u"x 2", F, kOperandNotFollowed, 4, u""},
        {"FunctionAfterVariable", u"x sin(x)", F, kOperandNotFollowed, 4, u""},
        {"NumberWithManyPoints", u"1.2.3", F, 0, 0, u"1.2.3"},
        {"BlankEndsAName", u"s in(x)", F, kUnknownName, 2, u""},
        // The bracket count is tested before the neighbour rule of the same token.
        {"CountBeforeRule", u"x)+)", F, kBracketsMismatch, 5, u""},
        // The first fault wins; later ones are not looked at.
        {"LeftmostFault", u"x2+sin x", F, kUnknownName, 2, u""},
        {"NestedFunctions", u"ln(abs(sin(x))+1)", F, 0, 0, u"ln(abs(sin(x))+1)"},
        {"AllFunctionNames",
         u"ln(x)+abs(x)+exp(x)+r(x)+r3(x)+int(x)+frac(x)+sin(x)+cos(x)+tg(x)+tan(x)+arcsin(x)+"
         u"arccos(x)+arctg(x)+atn(x)+sh(x)+ch(x)+th(x)",
         F, 0, 0,
         u"ln(x)+abs(x)+exp(x)+r(x)+r3(x)+int(x)+frac(x)+sin(x)+cos(x)+tg(x)+tan(x)+arcsin(x)+"
         u"arccos(x)+arctg(x)+atn(x)+sh(x)+ch(x)+th(x)"},
        // Accented and other non-ASCII letters are unknown characters.
        {"AccentedLetter", u"\u00e9+1", F, kUnknownName, 2, u""},
        {"KelvinSignIsNotK", u"\u212a", F, kUnknownName, 2, u""},
        {"VariableNameTrailingBlanks", u"  x  ", F, 0, 0, u"  x  "}};

    test::ForEachCase(
        cases, [](auto, auto text, bool variable, int16_t code, int position, auto translation) {
            const CheckResult r = CheckAndTranslate(text, variable);
            EXPECT_EQ(r.code, code);
            if (code != 0) {
                EXPECT_EQ(r.position, position);
            }
            if (code == 0 || code == kBracketsMismatch) {
                EXPECT_EQ(r.text, translation);
            } else {
                EXPECT_TRUE(r.text.empty());
            }
        });
}

TEST(CheckAndTranslate, LongTextReportsTheTruePosition)
{
    // A position beyond the 16-bit range must not wrap.
    std::u16string text(40000, u'1');
    text += u" 2";
    const auto r = CheckAndTranslate(text, true);
    EXPECT_EQ(r.code, kOperandNotFollowed);
    EXPECT_EQ(r.position, 40000 + 3);
}

TEST(ErrorText, LineForCodeInEachLanguage)
{
    const std::tuple<int16_t, int16_t, const char *> cases[] = {
        {kEnglish, 0, "Error #0 : No error !"},
        {kEnglish, 23, "Error #23 : Expression can't end in an operator."},
        // Codes without a text of their own, inside the table and beyond either end.
        {kEnglish, 10, "Error #10 : Unknown error."},
        {kEnglish, 24, "Error #24 : Unknown error."},
        {kEnglish, -1, "Error #-1 : Unknown error."},
        {kEnglish, 200, "Error #200 : Unknown error."},
        {kRomanian, 1,
         "Error #1 : Functia putere se defineste pe nr. negative doar pentru exponenti intregi."},
        {kRomanian, 4, "Error #4 : Radicalul trebuie sa aiba ca argument un  nr. strict pozitiv."},
        {kRomanian, 23, "Error #23 : Expresia nu se poate termina cu un operator."},
        {kRomanian, 10, "Error #10 : Unknown error."},
        {kRomanian, 24, "Error #24 : Unknown error."}};
    for (const auto &[language, code, line] : cases) {
        ErrorLanguage = language;
        EXPECT_EQ(ErrorText(code), line) << language << " " << code;
    }
    ErrorLanguage = kEnglish;
}

TEST(ErrorText, EveryReportedCodeHasATextInBothLanguages)
{
    const int16_t reported[] = {2,  3,  4,  5,  6,  7,  8,  9,  11, 12,
                                13, 14, 15, 16, 17, 19, 20, 21, 22, 23};
    for (int16_t language : {kEnglish, kRomanian}) {
        ErrorLanguage = language;
        for (int16_t code : reported)
            EXPECT_EQ(ErrorText(code).find("Unknown error."), std::string::npos) << code;
    }
    ErrorLanguage = kEnglish;
}

} // namespace
} // namespace zv

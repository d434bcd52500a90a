#include "tools/evaluation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zv {
namespace {

using Focus = EvaluationOutcome::Focus;
constexpr Focus kStay = EvaluationOutcome::kFocusUnchanged;
constexpr Focus kFunction = EvaluationOutcome::kFocusFunction;
constexpr Focus kPoint = EvaluationOutcome::kFocusPoint;
const std::optional<std::u16string> kKept; // the window leaves the text or tool tip as it is
const char16_t *const kNotDifferentiable = u"f is not differentiable";

TEST(EvaluateAtPoint, EveryStepAndFailure)
{
    const struct
    {
        const char *name;
        std::u16string function, point;
        char16_t separator;
        std::u16string value;
        std::optional<std::u16string> derivative, pointHint;
        const char *error; // nullptr: the label is hidden
        Focus focus;
        int caret;
    } cases[] = {
        {"ValueAndSlope", u"x^2", u"3", u'.', u"9", u"6", u"X-Point", nullptr, kStay, 0},
        {"LocaleComma", u"x/4", u"1", u',', u"0,25", u"0,25", u"X-Point", nullptr, kStay, 0},
        {"TypedCommaIsANumber", u"x^2", u"1,5", u'.', u"2.25", u"3", u"X-Point", nullptr, kStay, 0},
        // An expression as the point: the tool tip shows the value used, rounded to 8 places;
        // f and f' take the unrounded pi/2 (cos(pi/2) is 6e-17, shown as 0).
        {"ConstantPoint", u"cos(x)", u"pi/2", u'.', u"0", u"-1", u"1.57079633", nullptr, kStay, 0},
        {"SymmetricDifferenceAtAKink", u"abs(x)", u"0", u'.', u"0", u"0", u"X-Point", nullptr,
         kStay, 0},
        {"BelowHalfTheEighthPlace", u"x", u"0.000000004", u'.', u"0", u"1", u"X-Point", nullptr,
         kStay, 0},
        {"NegativeBelowHalfTheEighthPlace", u"x", u"-0.000000004", u'.', u"0", u"1", u"X-Point",
         nullptr, kStay, 0},
        {"RoundedToEightPlaces", u"x/3", u"1", u'.', u"0.33333333", u"0.33333333", u"X-Point",
         nullptr, kStay, 0},
        // The derivative needs f left of 0, where the square root has no value.
        {"DerivativeFails", u"r(x)", u"0", u'.', u"0", kNotDifferentiable, u"X-Point", nullptr,
         kStay, 0},

        // The failure table.
        {"EmptyFunction", u"", u"1", u'.', u"Error", u"Error", kKept,
         "Error #17 : Enter the expression first.", kFunction, 0},
        {"FunctionFaultyToken", u"x^2+*3", u"1", u'.', u"Error", u"Error", kKept,
         "Error #14 : Two operators can't stick together.", kFunction, 4},
        {"EmptyPoint", u"x^2", u"", u'.', u"Error", u"Error", kKept,
         "Error #17 : Enter the expression first.", kPoint, 0},
        {"VariableInPoint", u"x^2", u"2*x", u'.', u"Error", u"Error", kKept,
         "Error #16 : Expression contains unknown functions or operands.", kPoint, 2},
        {"PointWithoutValue", u"x^2", u"ln(-1)", u'.', u"Error", kKept, kKept,
         "Error #2 : Logarithm needs to have a positive argument.", kStay, 0},
        {"FunctionWithoutValue", u"ln(x)", u"0", u'.', u"Error", kNotDifferentiable, u"X-Point",
         "Error #2 : Logarithm needs to have a positive argument.", kStay, 0},
        {"DivisionByZero", u"1/x", u"pi-pi", u'.', u"Error", kNotDifferentiable, u"0",
         "Error #7 : Division by zero !", kStay, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const EvaluationOutcome outcome = EvaluateAtPoint(c.function, c.point, c.separator);
        EXPECT_EQ(outcome.valueText, c.value);
        EXPECT_EQ(outcome.derivativeText, c.derivative);
        EXPECT_EQ(outcome.pointHint, c.pointHint);
        EXPECT_EQ(outcome.errorShown, c.error != nullptr);
        if (c.error != nullptr) {
            EXPECT_EQ(outcome.errorText, c.error);
        }
        EXPECT_EQ(outcome.focus, c.focus);
        if (c.focus != kStay) {
            EXPECT_EQ(outcome.caret, c.caret);
        }
    }
}

TEST(IsPlainNumber, NumbersAgainstExpressions)
{
    const struct
    {
        const char *text;
        bool plain;
    } cases[] = {
        {"2", true},        {"-2.5", true},  {"+2,5", true},  {" 3 ", true}, {"2.", true},
        {".5", true},       {"1e5", true},   {"1E-05", true}, {"", false},   {"-", false},
        {".", false},       {"pi/4", false}, {"2*3", false},  {"1e", false}, {"1.2.3", false},
        {"1,000.5", false}, {"2 3", false},  {"x", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const std::string text(c.text);
        EXPECT_EQ(IsPlainNumber(std::u16string(text.begin(), text.end())), c.plain);
    }
}

} // namespace
} // namespace zv

#include "tools/wizardchecks.h"

#include <gtest/gtest.h>

#include <numbers>

namespace zv {
namespace {

using Field = IntervalCheck::Field;
constexpr Field kA = IntervalCheck::kBoundA;
constexpr Field kB = IntervalCheck::kBoundB;
const char *const kNoInterval = "The two values don't build an interval.";
const char *const kTooBig = "The interval is too big.";
const char *const kTooSmall = "The interval is too small.";

TEST(CheckInterval, WidthsBoundsAndFaults)
{
    const struct
    {
        const char *name;
        std::u16string a, b;
        const char *error; // nullptr: passes
        double expectedA, expectedB;
        Field focus;
        int caret;
    } cases[] = {
        {"WidestPasses", u"0", u"500", nullptr, 0, 500, kA, 0},
        {"TooBig", u"0", u"501", kTooBig, 0, 0, kA, 0},
        {"NarrowestPasses", u"0", u"0.001", nullptr, 0, 0.001, kA, 0},
        // 1.001 - 1 is computed just below 0.001.
        {"TooSmallByRounding", u"1", u"1.001", kTooSmall, 0, 0, kA, 0},
        {"Reversed", u"3", u"2", kNoInterval, 0, 0, kA, 0},
        {"Equal", u"2", u"2", kNoInterval, 0, 0, kA, 0},
        {"ConstantExpressions", u"pi", u"2*pi", nullptr, std::numbers::pi, 2 * std::numbers::pi, kA,
         0},
        {"CommaBound", u"-1,5", u"1", nullptr, -1.5, 1, kA, 0},
        {"VariableInA", u"x", u"5",
         "Error #16 : Expression contains unknown functions or operands.", 0, 0, kA, 0},
        {"FaultyTokenInB", u"0", u"2+*3", "Error #14 : Two operators can't stick together.", 0, 0,
         kB, 2},
        {"EmptyB", u"0", u"", "Error #17 : Enter the expression first.", 0, 0, kB, 0},
        // Bounds that pass the check but have no value are errors, not 0.
        {"AWithoutValue", u"1/0", u"5", "Error #7 : Division by zero !", 0, 0, kA, 0},
        {"BWithoutValue", u"-5", u"ln(-1)",
         "Error #2 : Logarithm needs to have a positive argument.", 0, 0, kB, 0},
        {"HugeWidth", u"-10^300", u"10^300", kTooBig, 0, 0, kA, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const IntervalCheck check = CheckInterval(c.a, c.b);
        EXPECT_EQ(check.passed, c.error == nullptr);
        if (c.error == nullptr) {
            // pi is the program's 15-digit constant.
            EXPECT_NEAR(check.a, c.expectedA, 1e-14);
            EXPECT_NEAR(check.b, c.expectedB, 1e-14);
        } else {
            EXPECT_EQ(check.errorText, c.error);
            EXPECT_EQ(check.focus, c.focus);
            EXPECT_EQ(check.caret, c.caret);
        }
    }
}

TEST(CheckEquation, TranslatesOrPointsAtTheFault)
{
    const EquationCheck sound = CheckEquation(u"2x-1");
    EXPECT_TRUE(sound.passed);
    EXPECT_EQ(sound.translated, u"2*x-1");

    const EquationCheck empty = CheckEquation(u"");
    EXPECT_FALSE(empty.passed);
    EXPECT_EQ(empty.errorText, "Error #17 : Enter the expression first.");
    EXPECT_EQ(empty.caret, 0);

    const EquationCheck faulty = CheckEquation(u"x^2+*3");
    EXPECT_FALSE(faulty.passed);
    EXPECT_EQ(faulty.caret, 4);
}

TEST(UsesUndifferentiableFunction, CaseSensitiveSearch)
{
    const struct
    {
        std::u16string equation;
        bool found;
    } cases[] = {
        {u"abs(x)-1", true},  {u"x-int(x)", true}, {u"frac(x)", true},
        {u"Abs(x)-1", false}, {u"INT(x)", false},  {u"x^2-4", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.equation.begin(), c.equation.end()));
        EXPECT_EQ(UsesUndifferentiableFunction(c.equation), c.found);
    }
}

} // namespace
} // namespace zv

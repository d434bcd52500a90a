// The Evaluate window's failure table is driven through the window itself (evaluare_test);
// here the number forms and the tool tip of the point.
#include "tools/evaluation.h"

#include "engine/utf.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(EvaluateAtPoint, NumberFormsAndThePointsToolTip)
{
    const struct
    {
        const char *name;
        std::u16string function, point;
        char16_t separator;
        std::u16string value, derivative, pointHint;
    } cases[] = {
        {"LocaleComma", u"x/4", u"1", u',', u"0,25", u"0,25", u"X-Point"},
        {"TypedCommaIsAPlainNumber", u"x^2", u"1,5", u'.', u"2.25", u"3", u"X-Point"},
        // f and f' take the unrounded pi/2 (cos is 6e-17 there); the tip shows 8 places.
        {"ConstantPoint", u"cos(x)", u"pi/2", u'.', u"0", u"-1", u"1.57079633"},
        {"SymmetricDifferenceAtAKink", u"abs(x)", u"0", u'.', u"0", u"0", u"X-Point"},
        {"BelowHalfTheEighthPlace", u"x", u"-0.000000004", u'.', u"0", u"1", u"X-Point"},
        {"EightPlaces", u"x/3", u"1", u'.', u"0.33333333", u"0.33333333", u"X-Point"},
        {"FailsAtAPointExpression", u"1/x", u"pi-pi", u'.', u"Error", u"f is not differentiable",
         u"0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const EvaluationOutcome outcome = EvaluateAtPoint(c.function, c.point, c.separator);
        EXPECT_EQ(outcome.valueText, c.value);
        EXPECT_EQ(outcome.derivativeText, c.derivative);
        EXPECT_EQ(outcome.pointHint, c.pointHint);
    }
}

TEST(IsPlainNumber, NumbersAgainstExpressions)
{
    for (const char16_t *plain : {u"2", u"-2.5", u"+2,5", u" 3 ", u"2.", u".5", u"1E-05"})
        EXPECT_TRUE(IsPlainNumber(plain)) << ToUtf8(plain);
    for (const char16_t *expression :
         {u"", u"-", u".", u"pi/4", u"2*3", u"1e", u"1.2.3", u"1,000.5", u"2 3"})
        EXPECT_FALSE(IsPlainNumber(expression)) << ToUtf8(expression);
}

} // namespace
} // namespace zv

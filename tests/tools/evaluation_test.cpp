// The Evaluate window's failure table is driven through the window itself (evaluare_test);
// here the separators and the tool tip of the point.
#include "tools/evaluation.h"

#include "engine/utf.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(EvaluateAtPoint, SeparatorsAndThePointsToolTip)
{
    // Function, point, separator, then value, derivative and tip joined by "|".
    const std::tuple<const char16_t *, const char16_t *, char16_t, std::u16string> rows[] = {
        {u"x/4", u"1", u',', u"0,25|0,25|X-Point"},
        {u"x^2", u"1,5", u'.', u"2.25|3|X-Point"}, // a typed comma is a plain number
        {u"1/x", u"pi-pi", u'.', u"Error|f is not differentiable|0"},
    };
    for (const auto &[function, point, separator, shown] : rows) {
        SCOPED_TRACE(ToUtf8(function) + " at " + ToUtf8(point));
        const EvaluationOutcome outcome = EvaluateAtPoint(function, point, separator);
        EXPECT_EQ(outcome.valueText + u'|' + outcome.derivativeText.value_or(u"-") + u'|' +
                      outcome.pointHint.value_or(u"-"),
                  shown);
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

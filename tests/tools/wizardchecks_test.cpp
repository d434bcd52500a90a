// The interval page's checks as the wizard runs them are driven through the window
// (xpert_test); here the rows that need no window.
#include "tools/wizardchecks.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(CheckInterval, EdgesOfTheChecks)
{
    const struct
    {
        const char *name;
        std::u16string a, b;
        const char *error; // nullptr: passes
    } cases[] = {
        {"EqualBounds", u"2", u"2", "The two values don't build an interval."},
        {"WidthBeyondTheDoubles", u"-10^300", u"10^300", "The interval is too big."},
        {"CommaBound", u"-1,5", u"1", nullptr},
        {"EmptyB", u"0", u"", "Error #17 : Enter the expression first."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const IntervalCheck check = CheckInterval(c.a, c.b);
        EXPECT_EQ(check.passed, c.error == nullptr);
        EXPECT_EQ(check.errorText, c.error != nullptr ? c.error : "");
    }
    const IntervalCheck comma = CheckInterval(u"-1,5", u"1");
    EXPECT_EQ(comma.a, -1.5);
    EXPECT_EQ(comma.b, 1);
}

} // namespace
} // namespace zv

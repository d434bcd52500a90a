// A search whose trial point stops moving ends early, and must end exactly as the full budget
// of fifty trial points would have.
#include "engine/derivative.h"
#include "roots/derivativezero.h"
#include "tests/support/cases.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>

namespace zv {
namespace {

// False position on f' run to the end of its budget, with no early stop: the yardstick.
double FullSearch(std::u16string_view text, double a, double b, int16_t &status)
{
    int16_t flag = 0;
    double da = Derivative(text, a, flag);
    double db = Derivative(text, b, flag);
    double m = 0;
    for (int i = 0; i < kDerivativeZeroMaxIterations; ++i) {
        m = std::fabs(da - db) < kDerivativeZeroSlopeGap ? (a + b) / 2
                                                         : (da * b - db * a) / (da - db);
        const double dm = Derivative(text, m, flag);
        if (flag != 0 || dm == 0) {
            status = flag != 0 ? kDerivativeZeroFailed : kDerivativeZeroFound;
            return flag != 0 ? 0 : m;
        }
        if ((da < 0) != (dm < 0) && da != 0) {
            b = m;
            db = dm;
        } else {
            a = m;
            da = dm;
        }
    }
    status = kDerivativeZeroBudgetSpent;
    return m;
}

TEST(DerivativeZeroSettles, SameOutcomeAsTheFullBudget)
{
    const struct
    {
        const char *name;
        std::u16string_view text;
        double a, b;
        bool settles; // whether the trial point comes to rest before the budget is spent
    } cases[] = {
        {"CosineMinimum", u"1-cos(x)", 6, 6.5, true},
        {"CubicMinimum", u"x^3-3*x", 0, 2, true},
        {"SineMaximum", u"sin(x)+sin(x)+sin(x)", 1, 2, true},
        {"WideBracket", u"sin(x)", -3, 0.5, true},
        // Midpoints that keep moving to the end: nothing to stop.
        {"NoSignChange", u"x", 1, 2, false},
        {"VertexOnFirstTrial", u"(x-1)^2", 0, 2, false},
    };
    test::ForEachCase(cases, [](const auto &c) {
        int16_t expectedStatus = -1;
        const double expected = FullSearch(c.text, c.a, c.b, expectedStatus);
        CountedFunction f(c.text);
        int16_t status = -1;
        const double point = DerivativeZero(f, c.a, c.b, status);
        EXPECT_EQ(status, expectedStatus);
        EXPECT_EQ(std::bit_cast<uint64_t>(point), std::bit_cast<uint64_t>(expected))
            << point << " instead of " << expected;
        const long fullBudget = 4 * (2 + kDerivativeZeroMaxIterations);
        if (c.settles)
            EXPECT_LT(f.evaluations(), fullBudget);
        else
            EXPECT_LE(f.evaluations(), fullBudget);
    });
}

} // namespace
} // namespace zv

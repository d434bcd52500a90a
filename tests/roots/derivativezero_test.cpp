#include "roots/derivativezero.h"
#include "tests/support/cases.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(DerivativeZero, StatusAndPoint)
{
    using Row =
        std::tuple<const char *, std::u16string_view, double, double, int16_t, double, double>;
    const Row cases[] = {
        // False position lands on the vertex at once, where the symmetric difference is 0.
        {"ParabolaVertex", u"(x-1)^2", 0, 2, kDerivativeZeroFound, 1, 0},
        {"ParabolaVertexReversed", u"(x-1)^2", 2, 0, kDerivativeZeroFound, 1, 0},
        // Sampled slopes never exactly 0: the last trial point, still close to the zero.
        {"CubicMinimum", u"x^3-3*x", 0, 2, kDerivativeZeroBudgetSpent, 1, 1e-7},
        {"CosineMinimum", u"1-cos(x)", 6, 6.5, kDerivativeZeroBudgetSpent, 6.283185307179586, 1e-7},
        // No sign change of f': one end keeps moving until the budget is spent.
        {"NoSignChange", u"x", 1, 2, kDerivativeZeroBudgetSpent, 2, 1e-12},
        // f' cannot be taken at the first trial point (the failed end slope counts as 0).
        {"SlopeFailsAtTrialPoint", u"r(x)", -1, 1, kDerivativeZeroFailed, 0, 0},
        // The chord's zero lies beyond the double range.
        {"ChordOverflows", u"10^10*sin(x)", -1e300, 1e300, kDerivativeZeroArithmetic, 0, 0},
    };
    test::ForEachCase(cases, [](auto, auto text, double a, double b, int16_t wantStatus,
                                double wantPoint, double tolerance) {
        int16_t status = -1;
        EXPECT_NEAR(DerivativeZero(text, a, b, status), wantPoint, tolerance);
        EXPECT_EQ(status, wantStatus);
    });
}

TEST(DerivativeZero, BudgetIsFiftyTrialPoints)
{
    CountedFunction f(u"x");
    int16_t status = -1;
    DerivativeZero(f, 1, 2, status);
    EXPECT_EQ(status, kDerivativeZeroBudgetSpent);
    // Two end slopes and one per trial point, four evaluations each.
    EXPECT_EQ(f.evaluations(), 4 * (2 + kDerivativeZeroMaxIterations));
}

} // namespace
} // namespace zv

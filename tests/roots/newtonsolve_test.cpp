#include "roots/newtonsolve.h"
#include "tests/support/cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace zv {
namespace {

TEST(NewtonSolve, StatusAndResult)
{
    // statuses: either may end a converging run, by rounding.
    using Row =
        std::tuple<const char *, std::u16string_view, double, std::vector<int16_t>, double, double>;
    const Row cases[] = {
        {"PositiveRoot", u"x^2-4", 1, {kNewtonExactRoot, kNewtonSettled}, 2, 1e-12},
        {"NegativeRoot", u"x^2-4", -1, {kNewtonExactRoot, kNewtonSettled}, -2, 1e-12},
        {"CubicRoot",
         u"x^3-2*x-5",
         2,
         {kNewtonExactRoot, kNewtonSettled},
         2.0945514815423265,
         1e-12},
        {"StartOnTheRoot", u"x-3", 3, {kNewtonExactRoot}, 3, 0},
        // f is tested before f': a root where the slope vanishes too is found.
        {"RootWithZeroSlope", u"x^2", 0, {kNewtonExactRoot}, 0, 0},
        {"TripleRootAtStart", u"x^3", 0, {kNewtonExactRoot}, 0, 0},
        // pi is never hit exactly: the budget runs out on an iteration at rest.
        {"SineSettlesOnPi", u"sin(x)", 3, {kNewtonSettled}, std::numbers::pi, 1e-12},
        // Spent budgets that are no root: wandering without a root, drifting off to infinity.
        {"NoRealRootWanders", u"x^2+1", 0.5, {kNewtonNotSettled}, 0, HUGE_VAL},
        {"DecayDriftsAway", u"exp(-x)", 0, {kNewtonNotSettled}, 100, 1},
        // Failures end with 0.
        {"ZeroSlopeAwayFromRoot", u"x^2+1", 0, {kNewtonFailed}, 0, 0},
        {"FunctionFailsAtStart", u"ln(x)", -1, {kNewtonFailed}, 0, 0},
        {"SlopeFailsAtStart", u"r(x)", 0, {kNewtonFailed}, 0, 0},
    };
    test::ForEachCase(cases, [](auto, auto text, double x0, const auto &statuses, double result,
                                double tolerance) {
        int16_t status = -1;
        EXPECT_NEAR(NewtonSolve(text, x0, status), result, tolerance);
        EXPECT_NE(std::find(statuses.begin(), statuses.end(), status), statuses.end())
            << "status " << status;
    });
}

} // namespace
} // namespace zv

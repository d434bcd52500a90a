#include "roots/saferoot.h"
#include "tests/support/cases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zv {
namespace {

TEST(SafeRoot, StatusAndPoint)
{
    using Row = std::tuple<const char *, std::u16string_view, double, double, double, int16_t,
                           double, double>;
    const Row cases[] = {
        // Converging searches.
        {"MidpointIsTheRoot", u"x^2-4", 1, 3, kScanAccuracy, kSafeRootFound, 2, 0},
        {"EndsInEitherOrder", u"x^2-4", 3, 1, kScanAccuracy, kSafeRootFound, 2, 0},
        {"SineNearPi", u"sin(x)", 3, 3.3, kScanAccuracy, kSafeRootFound, std::numbers::pi, 1e-7},
        {"FallingFunction", u"2-x", 0, 3.5, kScanAccuracy, kSafeRootFound, 2, 1e-7},
        {"CubeRootCusp", u"r3(x-1)", 0, 2.5, kScanAccuracy, kSafeRootFound, 1, 1e-7},
        // f' is exactly 0 at the root found: the search ends there without a fuss.
        {"SymmetricCubeZeroSlope", u"x^3", -1, 1, kScanAccuracy, kSafeRootFound, 0, 0},

        // A root at an end is returned at once, x1 first.
        {"RootAtFirstEnd", u"x-1", 1, 5, kScanAccuracy, kSafeRootFound, 1, 0},
        {"RootAtSecondEnd", u"x-5", 1, 5, kScanAccuracy, kSafeRootFound, 5, 0},
        {"BothEndsRootsFirstWins", u"x*(x-1)", 1, 0, kScanAccuracy, kSafeRootFound, 1, 0},
        // A failed end counts with the 0 Evaluate gave; the caller judges the point.
        {"FailedEndCountsAsZero", u"1/x", 0, 1, kScanAccuracy, kSafeRootFound, 0, 0},

        // Searches that do not converge report it, with the last point.
        {"PoleAtTheMidpoint", u"1/x", -1, 1, kScanAccuracy, kSafeRootEvaluationFailed, 0, 0},
        {"SlopeFailsAtTheMidpoint", u"x-0.015625+0*ln(abs(x-0.016537))", 0.0078125, 0.0234375,
         kScanAccuracy, kSafeRootEvaluationFailed, 0.015625, 0},
        // A jump at 0 with no accuracy to stop at: bisection runs out of iterations.
        {"BudgetSpentOnAJump", u"x/abs(x)", -1, 2, 0, kSafeRootNotConverged, 0, 1e-20},
        {"BracketWidthOverflows", u"x", -1e308, 1e308, kScanAccuracy, kSafeRootArithmeticFault,
         -1e308, 0},
        {"MidpointOverflows", u"x-1.5*10^308", 1e308, 1.7e308, kScanAccuracy,
         kSafeRootArithmeticFault, 1e308, 0},
    };
    test::ForEachCase(cases, [](auto, auto text, double x1, double x2, double accuracy,
                                int16_t wantStatus, double root, double tolerance) {
        int16_t status = -1;
        EXPECT_NEAR(SafeRoot(text, x1, x2, accuracy, status), root, tolerance);
        EXPECT_EQ(status, wantStatus);
    });
}

TEST(SafeRoot, CountsEveryEvaluationWithinItsBudget)
{
    // Two ends, then f and f' at the midpoint 2, whose Newton step is 0.
    CountedFunction square(u"x^2-4");
    int16_t status = -1;
    EXPECT_EQ(SafeRoot(square, 1, 3, kScanAccuracy, status), 2);
    EXPECT_EQ(status, kSafeRootFound);
    EXPECT_EQ(square.evaluations(), 2 + 1 + 4);
    // Ends, the start point and at most kSafeRootMaxIterations more points, 5 evaluations each.
    CountedFunction jump(u"x/abs(x)");
    SafeRoot(jump, -1, 2, 0, status);
    EXPECT_LE(jump.evaluations(), 2 + 5 * (1 + kSafeRootMaxIterations));
}

} // namespace
} // namespace zv

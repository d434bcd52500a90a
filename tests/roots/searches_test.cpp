#include "engine/derivative.h"
#include "engine/evaluator.h"
#include "roots/derivativezero.h"
#include "roots/multiplicity.h"
#include "roots/newtonsearch.h"
#include "roots/newtonsolve.h"
#include "roots/saferoot.h"
#include "tests/support/cases.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

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

// Plain Newton steps as the search made them before it learnt to finish on multiple roots: the
// yardstick that simple roots must still meet bit for bit.
double PlainNewton(std::u16string_view text, double x, int16_t &status)
{
    for (int step = 1;; ++step) {
        int16_t code = 0, flag = 0;
        const double v = Evaluate(text, x, code);
        const double d = Derivative(text, x, flag);
        if (code > 0 || flag != 0 || (v != 0 && d == 0)) {
            status = kNewtonFailed;
            return 0;
        }
        if (v == 0) {
            status = kNewtonExactRoot;
            return x;
        }
        const double next = x - v / d;
        if (!std::isfinite(next)) {
            status = kNewtonArithmetic;
            return 0;
        }
        const double moved = std::fabs(next - x);
        x = next;
        if (step >= kNewtonMaxSteps) {
            status = moved <= kNewtonSettledStep * std::max(1.0, std::fabs(x)) ? kNewtonSettled
                                                                               : kNewtonNotSettled;
            return x;
        }
    }
}

TEST(NewtonSolve, SimpleRootsAndFailuresAsThePlainIteration)
{
    const std::tuple<const char *, std::u16string_view, double> cases[] = {
        {"Square", u"x^2-4", 1},      {"SquareFromBelow", u"x^2-4", -1},
        {"Cubic", u"x^3-2*x-5", 2},   {"Sine", u"sin(x)", 3},
        {"Cosine", u"cos(x)-x", 0},   {"Exponential", u"exp(x)-2", 0},
        {"Logarithm", u"ln(x)-1", 1}, {"ArcTangent", u"atn(x)", 1},
        {"FlatStart", u"x^2+1", 0},   {"Wandering", u"x^2+1", 0.5},
        {"Drifting", u"exp(-x)", 0},  {"OutsideDomain", u"ln(x)", -1},
        {"FarStart", u"x^10-1", 0.4}, {"CycleBetween0And1", u"x^3-2*x+2", 0},
    };
    test::ForEachCase(cases, [](auto, auto text, double x0) {
        int16_t expectedStatus = -1, status = -1;
        const double expected = PlainNewton(text, x0, expectedStatus);
        const double root = NewtonSolve(text, x0, status);
        EXPECT_EQ(status, expectedStatus);
        EXPECT_EQ(std::bit_cast<uint64_t>(root), std::bit_cast<uint64_t>(expected))
            << root << " instead of " << expected;
    });
}

TEST(NewtonSolve, MultipleRootsAreFinishedWhereThePlainIterationGaveUp)
{
    // NaN: no root to find.
    const std::tuple<const char *, std::u16string_view, double, double, double> cases[] = {
        // Plain steps creep to 0 until f' reads 0 (x^2, x^3) or wander about it (x^5).
        {"DoubleRoot", u"x^2", 1, 0, 1e-12},
        {"TripleRoot", u"x^3", 1, 0, 1e-12},
        {"FivefoldRoot", u"x^5", 1, 0, 1e-9},
        {"DoubleRootOfSine", u"sin(x)^2", 1, 0, 1e-12},
        // The numerical f' loses this root within a few millionths.
        {"FourfoldRootAwayFromZero", u"(x-2)^4*exp(x)", 1, 2, 1e-5},
        // What is no root stays none; a start on the root stays that root.
        {"NoRealRoot", u"x^2+1", 0.5, NAN, 0},
        {"Decay", u"exp(-x)", 0, NAN, 0},
        {"StartOnTheDoubleRoot", u"x^2", 0, 0, 0},
    };
    test::ForEachCase(cases, [](auto, auto f, double x0, double root, double tolerance) {
        int16_t status = -1;
        const double result = NewtonSolve(f, x0, status);
        if (std::isnan(root)) {
            EXPECT_EQ(status, kNewtonNotSettled);
        } else {
            EXPECT_TRUE(status == kNewtonExactRoot || status == kNewtonSettled) << status;
            EXPECT_NEAR(result, root, tolerance);
        }
    });
    // What the Approximate window, a click in a plot and the console show for them.
    for (const std::u16string_view f : {u"x^2", u"x^3", u"x^5"})
        EXPECT_EQ(NewtonSearch(f, u"1").valueText, u"0");
}

TEST(SteadyLinearSteps, MultiplicityFromTheRatioOfSteps)
{
    const auto geometric = [](double ratio, double sign = 1) {
        std::vector<double> points{1};
        for (int k = 0; k < 12; ++k)
            points.push_back(points.back() * ratio * (k % 2 == 0 ? 1 : sign));
        return points;
    };
    std::vector<double> noisy = geometric(2.0 / 3);
    for (std::size_t k = 0; k < noisy.size(); k += 2)
        noisy[k] *= 1.01;
    const std::tuple<const char *, std::vector<double>, int> cases[] = {
        {"Half", geometric(0.5), 2},
        {"TwoThirds", geometric(2.0 / 3), 3},
        {"NineTenths", geometric(0.9), 10},
        {"BeyondTheLargestMultiplicity", geometric(0.95), 0},
        {"FasterThanADoubleRoot", geometric(0.3), 0},
        {"ChangingDirection", geometric(0.5, -1), 0},
        {"Unsteady", noisy, 0},
    };
    test::ForEachCase(cases, [](auto, const auto &points, int m) {
        const auto found = SteadyLinearSteps(points);
        EXPECT_EQ(found ? found->multiplicity : 0, m);
    });
}

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

// A search whose trial point stops moving ends early, and must end exactly as this yardstick,
// false position on f' run to the end of its budget of fifty trial points, would have.
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

#include "engine/checkandtranslate.h"
#include "methods/bracketing.h"
#include "methods/comparison.h"
#include "methods/methodlimits.h"
#include "methods/methodsinput.h"
#include "methods/methodsreport.h"
#include "methods/openmethods.h"
#include "tests/support/cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zv {
namespace {

std::u16string Translated(std::u16string_view text)
{
    return CheckAndTranslate(text, true).text;
}

const MethodRun &Find(const std::vector<MethodRun> &runs, Method method)
{
    return *std::find_if(runs.begin(), runs.end(),
                         [method](const MethodRun &run) { return run.method == method; });
}

TEST(Bisection, HalvesTheBracketExactlyUntilItIsWithinTolerance)
{
    const double tolerance = 1e-10;
    const MethodRun run = Bisection(u"x^3-2*x-5", 2, 3, tolerance);
    ASSERT_TRUE(run.Converged());
    ASSERT_EQ(run.Steps(), static_cast<int>(std::ceil(std::log2(1 / tolerance))));
    for (const Iterate &iterate : run.iterates) {
        EXPECT_EQ(*iterate.hi - *iterate.lo, std::ldexp(1.0, -iterate.k)) << iterate.k;
        EXPECT_TRUE(*iterate.lo == iterate.x || *iterate.hi == iterate.x);
    }
    EXPECT_EQ(run.evaluations, run.Steps() + 2);
    EXPECT_NEAR(run.root, 2.0945514815423265, tolerance);
}

TEST(CompareMethods, MeasuredOrdersOnSmoothSimpleRoots)
{
    // expected order, or for linear convergence 1 and the ratio.
    const std::tuple<const char *, Method, std::u16string_view, double, double, double, double>
        cases[] = {
            {"SecantCubic", Method::kSecant, u"x^3-2*x-5", 2, 3, 1.618, NAN},
            {"SecantExponential", Method::kSecant, u"exp(x)-2", 0, 2, 1.618, NAN},
            {"NewtonCubic", Method::kNewton, u"x^3-2*x-5", 2, 3, 2, NAN},
            {"NewtonCosine", Method::kNewton, u"cos(x)-x", 0, 1, 2, NAN},
            // Far from the root Newton creeps (x^10 looks like a tenfold root at 0 there);
            // the order is read from its last steps.
            {"NewtonAfterCreeping", Method::kNewton, u"x^10-1", 0, 4, 2, NAN},
            {"IllinoisExponential", Method::kIllinois, u"exp(x)-2", 0, 2, 1.442, NAN},
            {"IllinoisTenthPower", Method::kIllinois, u"x^10-1", 0, 1.3, 1.442, NAN},
            {"BisectionHalves", Method::kBisection, u"x^3-2*x-5", 2, 3, 1, 0.5},
            {"NewtonOnATripleRoot", Method::kNewton, u"(x-1)^3", 0, 3, 1, 2.0 / 3},
        };
    test::ForEachCase(
        cases, [](auto, Method method, auto f, double a, double b, double order, double ratio) {
            const auto runs = CompareMethods({Translated(f), a, b, 1e-10, (a + b) / 2});
            const MethodRun &run = Find(runs, method);
            ASSERT_TRUE(run.Converged());
            ASSERT_TRUE(run.convergence.order);
            EXPECT_NEAR(*run.convergence.order, order, 0.1);
            EXPECT_EQ(run.convergence.ratio.has_value(), !std::isnan(ratio));
            if (!std::isnan(ratio)) {
                EXPECT_NEAR(run.convergence.ratio.value_or(0), ratio, 0.02);
            }
        });
}

TEST(RegulaFalsi, StallsOnAConvexFunctionWhereIllinoisMovesOn)
{
    const MethodRun stalled = RegulaFalsi(u"x^10-1", 0, 1.3, 1e-10);
    const MethodRun illinois = Illinois(u"x^10-1", 0, 1.3, 1e-10);
    // The upper end never moves: every chord meets the axis left of the root.
    for (const Iterate &iterate : stalled.iterates)
        EXPECT_EQ(*iterate.hi, 1.3);
    EXPECT_GT(stalled.Steps(), 4 * illinois.Steps());
    ASSERT_TRUE(stalled.convergence.ratio);
    EXPECT_GT(*stalled.convergence.ratio, 0.7);
}

TEST(CompareMethods, BrentNeedsFewerEvaluationsThanBisection)
{
    const std::tuple<const char *, std::u16string_view, double, double> cases[] = {
        {"Cubic", u"x^3-2*x-5", 2, 3},
        {"Exponential", u"exp(x)-2", 0, 2},
        {"Cosine", u"cos(x)-x", 0, 1},
        {"TenthPower", u"x^10-1", 0, 1.3},
    };
    test::ForEachCase(cases, [](auto, auto f, double a, double b) {
        EXPECT_LT(Brent(f, a, b, 1e-10).evaluations, Bisection(f, a, b, 1e-10).evaluations);
    });
}

TEST(CompareMethods, NewtonOnATripleRootShowsMultiplicity3AndItsCorrectedRow)
{
    const auto runs = CompareMethods({u"(x-1)^3", 0, 3, 1e-10, 1.5});
    EXPECT_EQ(Find(runs, Method::kNewton).diagnosedMultiplicity, 3);
    const MethodRun &corrected = Find(runs, Method::kNewtonMultiplicity);
    EXPECT_EQ(MethodName(corrected), "newton (multiplicity 3)");
    EXPECT_TRUE(corrected.Converged());
    EXPECT_NEAR(corrected.root, 1, 1e-12);
    EXPECT_LT(corrected.Steps(), Find(runs, Method::kNewton).Steps() / 10);
    // Simple roots get no corrected row.
    for (const MethodRun &run : CompareMethods({u"x^3-2*x-5", 2, 3, 1e-10, 2.5}))
        EXPECT_NE(run.method, Method::kNewtonMultiplicity);
}

TEST(CompareMethods, EachStopReasonFromACaseBuiltForIt)
{
    const auto newton = [](std::u16string_view f, double a, double b, double x0) {
        return Newton(f, a, b, 1e-10, x0);
    };
    const auto secant = [](std::u16string_view f, double a, double b, double x0) {
        return Secant(f, a, b, 1e-10, x0, SecantSecondPoint(a, b, x0));
    };
    const auto bisection = [](std::u16string_view f, double a, double b, double) {
        return Bisection(f, a, b, 1e-10);
    };
    const auto falsi = [](std::u16string_view f, double a, double b, double) {
        return RegulaFalsi(f, a, b, 1e-10);
    };
    using Run = MethodRun (*)(std::u16string_view, double, double, double);
    const std::tuple<const char *, Run, std::u16string_view, double, double, double, StopReason,
                     std::string>
        cases[] = {
            {"Converged", newton, u"x^2-4", 1, 3, 1, StopReason::kConverged, "converged"},
            {"NoSignChange", bisection, u"x^2+1", -1, 1, 0, StopReason::kNoSignChange,
             "no sign change"},
            {"FlatTangent", newton, u"x^2+1", -1, 1, 0, StopReason::kFlatTangent, "flat tangent"},
            // The far end of [-3; 3] from -3 has the same f.
            {"FlatChord", secant, u"x^2-4", -3, 3, -3, StopReason::kFlatTangent, "flat chord"},
            // From 0 the tangent leads to 1 and back to 0.
            {"Cycle", newton, u"x^3-2*x+2", -3, 3, 0, StopReason::kCycle, "cycle"},
            {"LeftTheDomain", newton, u"arcsin(x)-1.5", -1, 1, 0.5, StopReason::kLeftDomain,
             "left the domain: Error #5 : arcsin is defined only on [-1, 1]."},
            {"Diverging", newton, u"exp(-x)", -1, 1, 0, StopReason::kDiverging, "diverging"},
            {"BudgetSpent", falsi, u"(x-1)^3", 0, 3, 0, StopReason::kBudgetSpent, "budget spent"},
            {"EvaluationFailed", bisection, u"1/x", -1, 1, 0, StopReason::kEvaluationFailed,
             "Error #7 : Division by zero !"},
            {"FailedAtTheStart", newton, u"ln(x)", -1, 1, -1, StopReason::kEvaluationFailed,
             "Error #2 : Logarithm needs to have a positive argument."},
        };
    test::ForEachCase(cases, [](auto, Run run, auto f, double a, double b, double x0,
                                StopReason reason, const std::string &text) {
        const MethodRun result = run(f, a, b, x0);
        EXPECT_EQ(result.stop, reason);
        EXPECT_EQ(StopText(result), text);
        EXPECT_LE(result.Steps(), kMaxSteps);
    });
}

TEST(CompareMethods, AFailedMethodLeavesTheOthersToFinish)
{
    const auto runs = CompareMethods({u"arcsin(x)-1.5", -1, 1, 1e-10, 0.5});
    ASSERT_EQ(runs.size(), 7u);
    for (const MethodRun &run : runs)
        EXPECT_EQ(run.Converged(), IsBracketing(run.method)) << MethodName(run);
    // The point where f failed is the last iterate, without a value.
    const MethodRun &newton = Find(runs, Method::kNewton);
    EXPECT_GT(newton.iterates.back().x, 1);
    EXPECT_TRUE(std::isnan(newton.iterates.back().fx));
    // Whose text, with its comma, is one quoted CSV field.
    EXPECT_NE(SummaryCsv(runs).find(
                  "\r\nnewton,,1,6,,,\"left the domain: Error #5 : arcsin is defined only on "
                  "[-1, 1].\"\r\n"),
              std::string::npos);
}

TEST(MeasureOrder, TooFewStepsRatherThanAWildNumber)
{
    // The midpoint of [1; 3] is the root.
    const MethodRun run = Bisection(u"x^2-4", 1, 3, 1e-10);
    EXPECT_TRUE(run.Converged());
    EXPECT_FALSE(run.convergence.order);
    EXPECT_EQ(OrderText(run.convergence), "too few steps");
}

TEST(CheckMethodsInput, FieldAtFaultAndCaret)
{
    using Field = MethodsCheck::Field;
    const std::tuple<const char *, std::u16string_view, std::u16string_view, std::u16string_view,
                     std::u16string_view, std::u16string_view, bool, Field, int>
        cases[] = {
            {"Passes", u"x^2-4", u"1", u"3", u"1e-8", u"", true, Field::kFunction, 0},
            {"FunctionFaultBeforeItsToken", u"x^2+*4", u"1", u"3", u"1e-8", u"", false,
             Field::kFunction, 4},
            {"BoundRefusesX", u"x", u"1", u"x", u"1e-8", u"", false, Field::kB, 0},
            {"BoundWithoutValue", u"x", u"ln(0)", u"3", u"1e-8", u"", false, Field::kA, 5},
            {"NoInterval", u"x", u"3", u"1", u"1e-8", u"", false, Field::kA, 0},
            {"ToleranceNotAboveZero", u"x", u"1", u"3", u"-1e-3", u"", false, Field::kTolerance, 5},
            {"ToleranceAsAnExpression", u"x", u"1", u"3", u"1/10^6", u"", true, Field::kFunction,
             0},
            {"StartFault", u"x", u"1", u"3", u"1e-8", u"2+", false, Field::kStart, 2},
        };
    test::ForEachCase(cases, [](auto, auto f, auto a, auto b, auto tol, auto x0, bool passed,
                                Field field, int caret) {
        const MethodsCheck check = CheckMethodsInput(f, a, b, tol, x0);
        EXPECT_EQ(check.passed, passed) << check.errorText;
        if (passed)
            return;
        EXPECT_EQ(check.field, field);
        EXPECT_EQ(check.caret, caret);
    });
    const MethodsCheck check = CheckMethodsInput(u"x", u"1", u"2", u" 1,5E-3 ", u"");
    EXPECT_EQ(check.input.tolerance, 1.5e-3);
    EXPECT_EQ(check.input.x0, 1.5);
}

} // namespace
} // namespace zv

#include "engine/derivative.h"
#include "engine/evaluator.h"
#include "tests/support/cases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zv {
namespace {

constexpr double kExact = -1; // tolerance marker: compare exactly

TEST(Derivative, ValueFlagAndEvaluationsMade)
{
    InitEvaluator();
    // evaluations: of f: a failing point ends the formula there.
    using Row =
        std::tuple<const char *, std::u16string_view, double, double, double, int16_t, long>;
    const Row cases[] = {
        {"Square", u"x^2", 3, 6, 1e-9, 0, 4},
        {"Sine", u"sin(x)", 1, std::cos(1.0), 1e-9, 0, 4},
        // The four terms cancel exactly.
        {"CubeAtZero", u"x^3", 0, 0, kExact, 0, 4},
        // A kink is not detected: the symmetric difference is 0.
        {"AbsAtKink", u"abs(x)", 0, 0, kExact, 0, 4},
        {"RootAtZeroFails", u"r(x)", 0, 0, kExact, 1, 1},
        // x - 2h leaves the logarithm's domain although ln is differentiable at x.
        {"LnNearZeroFails", u"ln(x)", 0.0005, 0, kExact, 1, 1},
        // All four points are inside the domain; the fixed step is coarse this close to 0.
        {"LnAtThousandth", u"ln(x)", 0.001, 1000, 150, 0, 4},
        // x - h is exactly 0.
        {"PoleOnASamplePoint", u"1/x", 0.000456, 0, kExact, 1, 2},
        // Each value is finite, 8 times one of them is not.
        {"FormulaOverflow", u"exp(x)", 709.5, 0, kExact, 1, 4},
        {"LastPointFails", u"r(0.0009-x)", 0, 0, kExact, 1, 4},
        {"EvaluationOverflow", u"exp(x)", 710, 0, kExact, 1, 1},
        {"NonFinitePoint", u"x", std::numeric_limits<double>::infinity(), 0, kExact, 1, 0}};
    test::ForEachCase(cases, [](auto, auto text, double x, double value, double tolerance,
                                int16_t wantFlag, long wantEvaluations) {
        int16_t flag = -1;
        long evaluations = 0;
        const double d = Derivative(text, x, flag, &evaluations);
        EXPECT_EQ(flag, wantFlag);
        EXPECT_EQ(evaluations, wantEvaluations);
        if (tolerance == kExact) {
            EXPECT_EQ(d, value);
        } else {
            EXPECT_NEAR(d, value, tolerance);
        }
    });
}

} // namespace
} // namespace zv

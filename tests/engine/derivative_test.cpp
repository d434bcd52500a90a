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
    const struct
    {
        const char *name;
        std::u16string_view text;
        double x, value, tolerance;
        int16_t flag;
        long evaluations; // of f: a failing point ends the formula there
    } cases[] = {
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
        {"NonFinitePoint", u"x", std::numeric_limits<double>::infinity(), 0, kExact, 1, 0},
    };
    test::ForEachCase(cases, [](const auto &c) {
        int16_t flag = -1;
        long evaluations = 0;
        const double d = Derivative(c.text, c.x, flag, &evaluations);
        EXPECT_EQ(flag, c.flag);
        EXPECT_EQ(evaluations, c.evaluations);
        if (c.tolerance == kExact) {
            EXPECT_EQ(d, c.value);
        } else {
            EXPECT_NEAR(d, c.value, c.tolerance);
        }
    });
}

} // namespace
} // namespace zv

#include "engine/derivative.h"
#include "engine/errortext.h"
#include "engine/evaluator.h"
#include "engine/program.h"
#include "engine/res.h"
#include "tests/support/cases.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace zv {
namespace {

constexpr double kAny = std::numeric_limits<double>::quiet_NaN(); // value not checked

const double kDblMax = std::numeric_limits<double>::max();

TEST(Evaluate, ValueAndCode)
{
    InitEvaluator();
    const std::tuple<const char *, std::u16string, double, double, int16_t> cases[] = {
        {"ImplicitProductTranslated", u"2*x", 3, 6, 0},
        {"LnDomain", u"ln(x)", -1, kAny, kLnDomain},
        // The expression runs on with the function's 0; callers must look at the code first.
        {"LnDomainRunsOn", u"ln(x)+1", -1, 1, kLnDomain},
        {"DivisionByZero", u"1/x", 0, 0, kDivisionByZero},
        {"ZeroOverZeroIsOverflow", u"x/0", 0, 0, kOverflow},
        {"ExpOverflow", u"exp(x)", 1000, 0, kOverflow},
        {"NamesIgnoreCase", u"SIN(X)+Cos(x)+PI-pI+E-e", 0.7, std::sin(0.7) + std::cos(0.7), 0},
        {"BlankBeforeArgument", u"sin (x)", 0, 0, 0},
        {"UnaryMinusBelowPower", u"-x^2", 3, -9, 0},
        {"PowerGroupsLeft", u"2^3^2", 0, 64, 0},
        {"NegativeLiteralPower", u"-2^2", 0, -4, 0},
        {"ProductsBeforeSums", u"2*3+4*5", 0, 26, 0},
        {"SubtractionGroupsLeft", u"10-4-3", 0, 3, 0},
        {"DivisionGroupsLeft", u"64/4/2", 0, 8, 0},
        {"NegatedBracket", u"-(x-5)*2", 1, 8, 0},
        {"TrailingPointLiteral", u"5.+x", 1, 6, 0},
        {"TwoPointLiteral", u"1.2.3", 0, 0, kEvaluationFailed},
        {"SquareBracketClosesRound", u"(x]", 0, 0, kEvaluationFailed},
        {"SquareBracketOpens", u"[x", 0, 0, kEvaluationFailed},
        {"HugeLiteral", u"1" + std::u16string(400, u'0'), 0, 0, kOverflow},
        {"TinyLiteralUnderflows", u"0." + std::u16string(400, u'0') + u"1", 0, 0, 0},
        {"NegativeBaseFractionalExponent", u"(-8)^(1/3)", 0, 0, kEvaluationFailed},
        {"NegativeBaseIntegerExponent", u"(-2)^3", 0, -8, 0},
        {"ZeroToNegativePower", u"0^(0-1)", 0, 0, kDivisionByZero},
        {"ZeroToZero", u"0^0", 0, 1, 0},
        {"PowerOverflow", u"10^400", 0, 0, kOverflow},
        {"PowerUnderflowIsZero", u"10^(0-400)", 0, 0, 0},
        {"ProductOverflow", u"x*x", 1e200, 0, kOverflow},
        {"SumOverflow", u"x+x", 1e308, 0, kOverflow},
        // An infinite intermediate fails even where the rest would bring it back to finite.
        {"IntermediateOverflow", u"1/(x*x)", 1e200, 0, kOverflow},
        {"ShOverflow", u"sh(x)", 1000, 0, kOverflow},
        {"ShNegativeOverflow", u"sh(x)", -800, 0, kOverflow},
        {"ThOverflow", u"th(x)", 1000, 0, kOverflow},
        {"ChAtZero", u"ch(x)", 0, 1, 0},
        {"TgPole", u"tg(pi/2)", 0, 0, kTgPole},
        {"TanHasNoPoleCheck", u"tan(pi/2)", 0, std::tan(Res::kPi / 2), 0},
        {"LastFaultWins", u"ln(0-1)+r(0-1)", 0, 0, kSqrtDomain},
        {"LastFaultWinsOtherOrder", u"r(0-1)+ln(0-1)", 0, 0, kLnDomain},
        // A domain fault whose 0 makes the engine fail is reported by the engine's code.
        {"EngineFailureWinsOverDomain", u"1/ln(0-1)", 0, 0, kDivisionByZero},
        {"IntIsFloor", u"int(x)", -1.5, -2, 0},
        {"LnOfZero", u"ln(x)", 0, 0, kLnDomain},
        {"RootOfZero", u"r(x)", 0, 0, 0},
        {"RootOfTinyNegative", u"r(x)", -1e-300, 0, kSqrtDomain},
        {"ArcsinAtOne", u"arcsin(x)-pi*0.5", 1, 0, 0},
        {"ArcsinJustAboveOne", u"arcsin(x)", 1.0000001, 0, kArcsinDomain},
        {"ArccosAtMinusOne", u"arccos(x)-pi", -1, 0, 0},
        {"ArccosAtZero", u"arccos(x)-pi/2", 0, 0, 0},
        {"ArccosBelowMinusOne", u"arccos(x)", -1.5, 0, kArccosDomain},
        {"ArcsinInside", u"arcsin(x)", 0.5, std::asin(0.5), 0},
        {"ArccosInside", u"arccos(x)", 0.5, std::acos(0.5), 0},
        {"ShAndThInside", u"sh(x)+th(x)", 1, std::sinh(1.0) + std::tanh(1.0), 0},
        {"ChOverflow", u"ch(x)", 710, 0, kOverflow},
        {"AbsAndAtn", u"abs(x)+atn(1)-arctg(1)", -2, 2, 0},
        {"FracOfNegative", u"frac(x)", -1.25, 0.75, 0},
        {"DeepNesting", std::u16string(100000, u'(') + u"x" + std::u16string(100000, u')'), 4, 4,
         0},
        {"NonFiniteX", u"1", std::numeric_limits<double>::infinity(), 0, kEvaluationFailed},
        {"NaNX", u"x", std::numeric_limits<double>::quiet_NaN(), 0, kEvaluationFailed},
        // The largest double rounds to 15 digits beyond the range: an overflow in passing x.
        {"XRoundsBeyondRange", u"1", kDblMax, 0, kOverflow},
        {"LargeX", u"x", 1e300, 1e300, 0},
        // Anything outside the language fails with code 9, never a crash.
        {"EmptyText", u"", 0, 0, kEvaluationFailed},
        {"TwoOperands", u"x x", 0, 0, kEvaluationFailed},
        {"FunctionWithoutArgument", u"sin", 0, 0, kEvaluationFailed},
        {"UnknownFunction", u"foo(1)", 0, 0, kEvaluationFailed},
        {"ExponentLiteral", u"1e5", 0, 0, kEvaluationFailed},
        {"CloseBracketOnly", u")", 0, 0, kEvaluationFailed},
        {"NonAsciiLetter", u"\u00e9", 0, 0, kEvaluationFailed},
        // A sign stands only where the checker lets it: at the start or after "(".
        {"MinusAfterOperator", u"2*-3", 0, 0, kEvaluationFailed},
        {"DoubleMinus", u"--x", 0, 0, kEvaluationFailed},
        {"MinusAfterFunctionBracket", u"sin(-x)+(-x)", 1, -std::sin(1.0) - 1, 0},
        {"TabIsNoBlank", u"x\t+1", 0, 0, kEvaluationFailed},
        {"UnclosedBracket", u"(x", 0, 0, kEvaluationFailed},
        {"UnopenedBracket", u"x)", 0, 0, kEvaluationFailed}};

    test::ForEachCase(cases,
                      [](auto, const auto &text, double x, double wantValue, int16_t wantCode) {
                          int16_t code = -1;
                          const double value = Evaluate(text, x, code);
                          EXPECT_EQ(code, wantCode);
                          if (!std::isnan(wantValue)) {
                              EXPECT_DOUBLE_EQ(value, wantValue);
                          }
                          if (wantCode >= kDivisionByZero) {
                              EXPECT_EQ(value, 0.0); // an engine failure gives no value
                          }
                      });
}

// pi, e, x and the cube root's third all pass through 15 significant digits.
TEST(Evaluate, NumbersAreThe15DigitValues)
{
    InitEvaluator();
    int16_t code = -1;
    EXPECT_EQ(std::bit_cast<uint64_t>(Evaluate(u"pi", 7, code)), 0x400921FB54442D11u);
    EXPECT_EQ(std::bit_cast<uint64_t>(Evaluate(u"e", 7, code)), 0x4005BF0A8B145774u);
    EXPECT_EQ(Evaluate(u"x", 0.1 + 0.2, code), 0.3);
    EXPECT_EQ(Evaluate(u"x", 1.0000000000000002, code), 1.0);
    EXPECT_EQ(Evaluate(u"x", 123456789012345678.0, code), 123456789012346000.0);
    EXPECT_NE(Evaluate(u"r3(x)", 8, code), 2.0);
    EXPECT_NEAR(Evaluate(u"r3(x)", 8, code), 2.0, 1e-13);
    EXPECT_NEAR(Evaluate(u"r3(x)", -8, code), -2.0, 1e-13);
    EXPECT_EQ(code, 0);
}

// More texts than the cache keeps: evicted programs are compiled again, with the same result.
TEST(Evaluate, ManyDistinctTextsStayCorrect)
{
    InitEvaluator();
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 3000; ++i) {
            const std::string digits = std::to_string(i);
            int16_t code = -1;
            ASSERT_EQ(Evaluate(u"x+" + std::u16string(digits.begin(), digits.end()), 1, code),
                      1.0 + i);
        }
    }
}

// The optimiser may only change speed: every expression must give the same bits and codes
// with it and without it.
TEST(Program, OptimisedAndPlainRunsAgreeBitForBit)
{
    // Blank-separated: no text here holds a blank.
    const std::u16string_view list =
        u"x^2-4 3^x-x^3 x^x-4 2^x+3^x+6^x-x^2 (x+2)^2+(x+3)^3+(x+4)^4-2 sin(x)-cos(x) "
        u"arctg(x)+arctg(x^2) exp(-x)*sin(3*x)+r(abs(x)) ln(x^2+1)-x/3 2*pi/3-x -(2^3)^2+x "
        u"1/(x-1) 0/x x/0 (0-8)^x 0^x 10^400+x 2-x 2/x 2^x x^2^3 -x^2 e^x-pi*x 5-(-x) x^(0-2) "
        u"1/x^2";
    std::vector<std::u16string_view> texts;
    for (size_t at = 0, end; at < list.size(); at = end + 1) {
        end = std::min(list.find(u' ', at), list.size());
        texts.push_back(list.substr(at, end - at));
    }
    ASSERT_EQ(texts.size(), 26u);
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> wide(-30, 30);
    Res plainRes, optimisedRes;
    plainRes.set_c();
    optimisedRes.set_c();
    for (auto text : texts) {
        const Program plain = Program::Compile(text, false);
        const Program optimised = Program::Compile(text, true);
        EXPECT_EQ(plain.compileError(), optimised.compileError())
            << std::string(text.begin(), text.end());
        for (int i = 0; i < 20000; ++i) {
            double x = wide(random);
            if (i % 4 == 0)
                x = std::round(x);
            if (i % 7 == 0)
                x = std::ldexp(x, static_cast<int>(random() % 1000) - 500);
            plainRes.setx(x);
            optimisedRes.setx(x);
            int16_t plainCode = -1, optimisedCode = -1;
            const double a = plain.Run(plainRes, plainCode);
            const double b = optimised.Run(optimisedRes, optimisedCode);
            ASSERT_EQ(plainCode, optimisedCode) << "x = " << x;
            ASSERT_EQ(std::bit_cast<uint64_t>(a), std::bit_cast<uint64_t>(b)) << "x = " << x;
            ASSERT_EQ(plainRes.eroare, optimisedRes.eroare);
        }
    }
}

// Without this the comparison above would pass with an optimiser that does nothing.
TEST(Program, ConstantsAreFoldedAndOperandsJoinTheirOperators)
{
    using Op = Program::Op;
    const auto folded = Program::Compile(u"2*pi/3-x");
    ASSERT_EQ(folded.instructions().size(), 2u);
    EXPECT_EQ(folded.instructions()[1].op, Op::RSubC);
    EXPECT_EQ(Program::Compile(u"x^2").instructions().back().op, Op::Square);
}

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

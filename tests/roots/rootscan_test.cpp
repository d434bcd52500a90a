#include "engine/errortext.h"
#include "engine/numbertext.h"
#include "roots/rootscan.h"
#include "tests/support/cases.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace zv {
namespace {

// With a = -2.5 + s and b = 2.5 + s at precision 64 the step is 1/64 exactly, and the scan
// points are s + k/64 without drift.
TEST(RootScan, ListsTheRootsInScanOrder)
{
    // text: translated; lines: in scan order.
    using Row = std::tuple<const char *, std::u16string_view, double, double, int,
                           std::vector<std::u16string>>;
    const Row cases[] = {
        {"TwoSimpleRoots", u"x^2-4", -3, 3, 100, {u"-2", u"2"}},
        {"SineInScanOrder",
         u"sin(x)",
         -10,
         10,
         100,
         {u"-9.424778", u"-6.283185", u"-3.141593", u"0", u"3.141593", u"6.283185", u"9.424778"}},
        {"ReversedIntervalScansBackwards", u"x^2-4", 3, -3, 100, {u"2", u"-2"}},
        {"ConstantEnds", u"x^3-2*x-5", 0, 3, 100, {u"2.094551"}},
        {"NoRoot", u"x^2+1", -3, 3, 100, {}},
        {"UndefinedLeftPart", u"ln(x)+1", -1, 2, 100, {u"0.367879"}},

        // Close roots: apart by less than two drawing steps, still one sign change each.
        {"CloseRoots", u"(x-1)*(x-1.01)", 0, 3, 100, {u"1", u"1.01"}},
        {"VeryCloseRootsFinePrecision", u"(x-1)*(x-1.001)", 0, 2, 800, {u"1", u"1.001"}},
        // A scan point drifted to within 1e-13 of the root: |f| there is below |f| at
        // SafeRoot's point, and the rounded root, where f is 0, has to show that the bracket
        // holds a root.
        {"RootNextToADriftedScanPoint", u"(x-0.7)*(x+7)", 0, 2.5, 100, {u"0.7"}},
        // A scan point on the root up to rounding: its |f| equals the refined root's.
        {"ScanPointOnTheRoot", u"(x-1)^2-0.00000001", 0.999, 1.001, 100, {u"0.9999", u"1.0001"}},

        // Touching roots, found where the sampled derivative changes sign.
        {"DoubleRoot", u"(x-1)^2", 0, 3, 100, {u"1"}},
        {"DoubleAndSimpleRoot", u"(x-2)^2*(x+1)", -3, 3, 100, {u"-1", u"2"}},
        {"TouchingAtZeroAndTwoPi", u"1-cos(x)", -1, 7, 100, {u"0", u"6.283185"}},
        {"TouchingFromBelow", u"-(x+0.5)^2", -2, 1, 100, {u"-0.5"}},
        // A minimum above the axis is no root.
        {"MinimumAboveAxis", u"(x-1)^2+0.001", 0, 3, 100, {}},

        // Roots on scan points are listed once, by the exact zero.
        {"RootsOnScanPoints", u"x^3-x", -2.5, 2.5, 64, {u"-1", u"0", u"1"}},
        {"DoubleRootOnScanPoint", u"(x-1)^2", -2.5, 2.5, 64, {u"1"}},

        // Less than one step h beyond an end is still scanned; more is not.
        {"RootJustBeyondB", u"x-2", 0, 1.998, 100, {u"2"}},
        {"RootJustBeforeA", u"x+0.003", 0, 2, 100, {u"-0.003"}},
        {"RootTwoStepsBeyondB", u"x-2", 0, 1.99, 100, {}},

        // A sign change across a pole or a jump is no root.
        {"TangentPole", u"tg(x)", 1, 2, 100, {}},
        {"TanPoleWithoutCheck", u"tan(x)", -2, 2, 100, {u"0"}},
        {"StepJump", u"int(x)-0.5", 0, 2, 100, {}},
        {"SignJump", u"(x-1)/abs(x-1)", 0, 2, 100, {}},
        {"ReciprocalPole", u"1/(x-1)", 0, 2, 100, {}},
        // The pole falls on a scan point: f fails there while f' can be taken around it.
        {"PoleOnFifthScanPoint", u"1/(x-0.5)", 0, 1, 100, {}},
        // A bracket search whose slope fails (at its first point, 1/64) gives no point to list;
        // in particular not 0, where f is defined and small but not 0.
        {"FailedBracketSearch",
         u"(x-0.015625)*(x^2+0.000001)+0*ln(abs(x-0.016537))",
         -2.5 + 1.0 / 128,
         2.5 + 1.0 / 128,
         64,
         {}},
    };
    test::ForEachCase(cases,
                      [](auto, auto text, double a, double b, int precision, const auto &lines) {
                          const RootScanResult result = ScanForRoots(text, a, b, precision);
                          EXPECT_EQ(result.lines, lines);
                          // The values behind the lines are the lines read back.
                          ASSERT_EQ(result.roots.size(), result.lines.size());
                          for (size_t i = 0; i < result.lines.size(); ++i) {
                              double value = 0;
                              ASSERT_TRUE(ReadNumberText(result.lines[i], u'.', value));
                              EXPECT_EQ(result.roots[i], value) << "line " << i;
                          }
                      });
}

TEST(RootScan, WritesTheGivenSeparator)
{
    const RootScanResult result = ScanForRoots(u"x^2-2.25", -3, 3, 100, u',');
    EXPECT_EQ(result.lines, (std::vector<std::u16string>{u"-1,5", u"1,5"}));
    EXPECT_EQ(result.roots, (std::vector<double>{-1.5, 1.5}));
}

TEST(RootScan, CountsEveryEvaluation)
{
    // A plain scan: 5p + 3 points and p + 2 derivatives of 4 points each.
    const int p = 20;
    const long plain = (5 * p + 3) + 4 * (p + 2);
    EXPECT_EQ(ScanForRoots(u"x+10", 0, 1, p).evaluations, plain);
    // r fails everywhere on [-2; -1]: each derivative stops at its first point.
    EXPECT_EQ(ScanForRoots(u"r(x)", -2, -1, p).evaluations, (5 * p + 3) + (p + 2));
    // One sign change: a SafeRoot (ends, then f and f' per point) and two checks of f.
    EXPECT_GE(ScanForRoots(u"x-0.305", 0, 1, p).evaluations, plain + 2 + 5 + 2);
    // One derivative sign change: a DerivativeZero of at most 52 slopes and one check of f.
    const long withTouch = ScanForRoots(u"(x-0.305)^2+1", 0, 1, p).evaluations;
    EXPECT_GE(withTouch, plain + 4 * 3 + 1);
    EXPECT_LE(withTouch, plain + 4 * (2 + 50) + 1);
}

// f without a value at any scan point is a failure with the engine's code; f failing at some
// points only (poles, the ends of its domain) is not, nor is a scan that was stopped.
TEST(RootScan, NothingEvaluableIsToldApartFromFailingAtSomePoints)
{
    const std::tuple<const char *, std::u16string_view, double, double, int, int16_t> rows[] = {
        {"a second decimal point", u"x-1.2.3", -3, 3, 100, kEvaluationFailed},
        {"outside the domain", u"r(x)", -2, -1, 100, kSqrtDomain},
        {"a pole", u"1/x", -1, 1, 100, 0},
        {"the domain's end", u"ln(x)", -1, 1, 100, 0},
    };
    test::ForEachCase(rows, [](auto, auto text, double a, double b, int precision, int16_t code) {
        EXPECT_EQ(ScanForRoots(text, a, b, precision).NothingEvaluable(), code);
    });
    EXPECT_EQ(ScanForRoots(u"x-1.2.3", -3, 3, 100, u'.', [] { return false; }).NothingEvaluable(),
              0);
}

TEST(RootScan, PrecisionThatCannotGiveASixteenBitStepCountScansNothing)
{
    EXPECT_TRUE(ScanForRoots(u"x", -1, 1, 0).lines.empty());
    EXPECT_EQ(ScanForRoots(u"x", -1, 1, 7000).evaluations, 0);
}

// A scan asks between its steps whether to go on, and a scan told to stop keeps what it found.
constexpr double kA = -10;
constexpr double kB = 10;
constexpr int kPrecision = 100;

TEST(RootScanStop, ToldToGoOnEveryTimeTheScanIsUnchanged)
{
    const RootScanResult plain = ScanForRoots(u"sin(x)", kA, kB, kPrecision);
    int asked = 0;
    const RootScanResult watched = ScanForRoots(u"sin(x)", kA, kB, kPrecision, u'.', [&asked] {
        ++asked;
        return true;
    });
    EXPECT_EQ(watched.lines, plain.lines);
    EXPECT_EQ(watched.evaluations, plain.evaluations);
    EXPECT_FALSE(watched.stopped);
    // Between every two of the 5 x precision + 3 steps, never after the last one.
    EXPECT_EQ(asked, 5 * kPrecision + 2);
}

TEST(RootScanStop, StopsWhereToldAndKeepsTheRootsFoundBefore)
{
    const RootScanResult full = ScanForRoots(u"sin(x)", kA, kB, kPrecision);
    ASSERT_EQ(full.lines.size(), 7u);
    const struct
    {
        const char *name;
        int goOnTimes; // answers true this many times, then false
        size_t roots;  // of the full list, in its order
    } cases[] = {
        {"AtOnce", 0, 0},
        // Steps of 0.04 from -10.04: told to stop at the 201st question, the scan stands at
        // -2.04, past -3.14 and short of 0.
        {"AfterThreeRoots", 200, 3},
        {"BeforeTheLastStep", 5 * kPrecision + 1, 7},
    };
    test::ForEachCase(cases, [&full](const auto &c) {
        int asked = 0;
        const RootScanResult part = ScanForRoots(u"sin(x)", kA, kB, kPrecision, u'.',
                                                 [&] { return asked++ < c.goOnTimes; });
        EXPECT_TRUE(part.stopped);
        EXPECT_EQ(asked, c.goOnTimes + 1); // not asked again once told to stop
        EXPECT_LT(part.evaluations, full.evaluations);
        ASSERT_EQ(part.lines.size(), c.roots);
        EXPECT_TRUE(std::equal(part.lines.begin(), part.lines.end(), full.lines.begin()));
    });
}

} // namespace
} // namespace zv

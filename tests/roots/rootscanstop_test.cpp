// A scan asks between its steps whether to go on, and a scan told to stop keeps what it found.
#include "roots/rootscan.h"

#include "tests/support/cases.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zv {
namespace {

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

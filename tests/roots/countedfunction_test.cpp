#include "roots/countedfunction.h"

#include "engine/derivative.h"

#include <gtest/gtest.h>

#include <string>

namespace zv {
namespace {

struct SlopeCase
{
    const char *name;
    std::u16string text;
    double x;
    int16_t flag;
    long evaluations; // a failing point ends the formula there
};

void PrintTo(const SlopeCase &c, std::ostream *os)
{
    *os << c.name;
}

class CountedSlope : public testing::TestWithParam<SlopeCase>
{
};

// The searches count their work through this slope, so it must be Derivative to the bit.
TEST_P(CountedSlope, MatchesDerivativeAndCountsThePointsTaken)
{
    const SlopeCase &c = GetParam();
    CountedFunction f(c.text);
    int16_t flag = -1;
    const double slope = f.slope(c.x, flag);
    int16_t engineFlag = -1;
    const double engine = Derivative(c.text, c.x, engineFlag);
    EXPECT_EQ(flag, c.flag);
    EXPECT_EQ(engineFlag, c.flag);
    EXPECT_EQ(slope, engine);
    EXPECT_EQ(f.evaluations(), c.evaluations);
}

const SlopeCase kSlopes[] = {
    {"Square", u"x^2", 3, 0, 4},
    {"CubeAtZero", u"x^3", 0, 0, 4},
    {"Sine", u"sin(x)", 1.234, 0, 4},
    {"KinkNotDetected", u"abs(x)", 0, 0, 4},
    {"RootFailsAtFirstPoint", u"r(x)", 0, 1, 1},
    {"LogFailsAtFirstPoint", u"ln(x)", 0.0005, 1, 1},
    {"DivisionFailsAtSecondPoint", u"1/x", 0.000456, 1, 2},
    {"RootFailsAtLastPoint", u"r(0.0009-x)", 0, 1, 4},
    {"OverflowAtLastPoint", u"exp(x)", 709.782, 1, 4},
};

INSTANTIATE_TEST_SUITE_P(Cases, CountedSlope, testing::ValuesIn(kSlopes),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CountedFunction, CountsValuesAndSlopesTogether)
{
    CountedFunction f(u"x^2-4");
    int16_t code = -1;
    EXPECT_EQ(f.value(2, code), 0);
    EXPECT_EQ(code, 0);
    f.value(1e300, code); // a failed evaluation is still one made
    EXPECT_EQ(code, 8);
    int16_t flag = -1;
    f.slope(1, flag);
    EXPECT_EQ(f.evaluations(), 6);
}

} // namespace
} // namespace zv

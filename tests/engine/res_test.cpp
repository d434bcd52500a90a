#include "engine/errortext.h"
#include "engine/res.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zv {
namespace {

struct ResCase
{
    const char *name;
    double (Res::*method)(double);
    double argument;
    double value; // compared exactly unless `near` is set
    int16_t eroare;
    bool near = false;
};

class ResTable : public testing::TestWithParam<ResCase>
{
};

TEST_P(ResTable, ValueAndFault)
{
    const ResCase &c = GetParam();
    Res res;
    res.set_c();
    res.setx(0);
    const double value = (res.*c.method)(c.argument);
    EXPECT_EQ(res.eroare, c.eroare);
    if (c.near)
        EXPECT_NEAR(value, c.value, 1e-12);
    else
        EXPECT_EQ(value, c.value);
}

const double kPi = Res::kPi;

const ResCase kCases[] = {
    {"LnOfZero", &Res::ln, 0, 0, kLnDomain},
    {"LnOfNegative", &Res::ln, -1, 0, kLnDomain},
    {"LnOfOne", &Res::ln, 1, 0, 0},
    {"RootOfZero", &Res::r, 0, 0, 0},
    {"RootOfTinyNegative", &Res::r, -1e-300, 0, kSqrtDomain},
    {"RootOfFour", &Res::r, 4, 2, 0},
    {"CubeRootOfNegative", &Res::r3, -8, -2, 0, true},
    {"CubeRootOfZero", &Res::r3, 0, 0, 0},
    {"FracOfPositive", &Res::frac, 2.5, 0.5, 0},
    {"FracOfNegative", &Res::frac, -2.5, 0.5, 0},
    {"FracOfInteger", &Res::frac, 3, 0, 0},
    {"TgAtStoredHalfPi", &Res::tg, kPi / 2, 0, kTgPole},
    {"TgOfZero", &Res::tg, 0, 0, 0},
    {"ArcsinOfOne", &Res::arcsin, 1, kPi * 0.5, 0},
    {"ArcsinOfMinusOne", &Res::arcsin, -1, -kPi * 0.5, 0},
    {"ArcsinJustAboveOne", &Res::arcsin, 1.0000001, 0, kArcsinDomain},
    {"ArcsinOfHalf", &Res::arcsin, 0.5, std::atan(0.5 / std::sqrt(0.75)), 0},
    {"ArccosOfOne", &Res::arccos, 1, 0, 0},
    {"ArccosOfMinusOne", &Res::arccos, -1, kPi, 0},
    {"ArccosOfZero", &Res::arccos, 0, kPi / 2, 0},
    {"ArccosBelowMinusOne", &Res::arccos, -1.5, 0, kArccosDomain},
    {"ArccosAboveOne", &Res::arccos, 1.5, 0, kArccosDomain},
    {"ArctgOfOne", &Res::arctg, 1, std::atan(1.0), 0},
    {"ShOfOne", &Res::sh, 1, (std::exp(1.0) - std::exp(-1.0)) / 2, 0},
    {"ChOfZero", &Res::ch, 0, 1, 0},
    {"ThOfSmall", &Res::th, 0.5, std::tanh(0.5), 0, true},
};

INSTANTIATE_TEST_SUITE_P(Methods, ResTable, testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Res, CubeRootUsesThe15DigitThird)
{
    Res res;
    EXPECT_NE(res.r3(8), 2.0);
    EXPECT_NEAR(res.r3(8), 2.0, 1e-13);
}

TEST(Res, OverflowingMethodsReturnInfinity)
{
    // The evaluator turns an infinite result into an overflow; th(1000) must not read as 1.
    Res res;
    EXPECT_TRUE(std::isinf(res.th(1000)));
    EXPECT_TRUE(std::isinf(res.sh(-800)));
    EXPECT_TRUE(std::isinf(res.ch(710)));
    EXPECT_EQ(res.eroare, 0);
}

TEST(Res, SetxClearsTheFault)
{
    Res res;
    res.ln(-1);
    ASSERT_EQ(res.eroare, kLnDomain);
    res.setx(3);
    EXPECT_EQ(res.eroare, 0);
    EXPECT_EQ(res.x, 3);
}

} // namespace
} // namespace zv

#include "engine/round15.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>

namespace zv {
namespace {

// Nine million doubles in all, over every exponent and the hard cases of decimal rounding: both
// routes give the double that printing x with 15 significant digits and reading it back gives,
// bit for bit (so -0 and the sign of tiny values count too).
TEST(RoundTo15Digits, SameDoubleAsPrintingAndReadingBack)
{
    std::mt19937_64 random(20261206);
    long mismatches = 0, checked = 0;
    char buffer[64];
    const auto check = [&](double x) {
        if (!std::isfinite(x))
            return;
        ++checked;
        std::snprintf(buffer, sizeof buffer, "%.15g", x);
        const double expected = std::strtod(buffer, nullptr);
        for (const double got : {RoundTo15Digits(x), RoundTo15DigitsByText(x)}) {
            if (std::bit_cast<uint64_t>(got) != std::bit_cast<uint64_t>(expected) &&
                ++mismatches <= 10)
                ADD_FAILURE() << std::hexfloat << "x = " << x << ": " << got << ", not "
                              << expected;
        }
    };

    // Random bit patterns: every exponent, subnormals included.
    for (int i = 0; i < 4'000'000; ++i)
        check(std::bit_cast<double>(random()));
    // Neighbours of powers of ten, where the decimal exponent changes.
    for (int e = -320; e <= 308; ++e) {
        double below = std::pow(10.0, e), above = below;
        for (int k = 0; k < 1600; ++k) {
            check(below);
            check(above);
            below = std::nextafter(below, 0.0);
            above = std::nextafter(above, std::numeric_limits<double>::infinity());
        }
    }
    // Halfway cases: exact binary ties at the 16th digit, scaled by powers of two (which keep
    // the tie only for the binary value), and the doubles nearest to decimal ties.
    std::uniform_int_distribution<int64_t> fifteen(100'000'000'000'000, 999'999'999'999'999);
    for (int i = 0; i < 1'000'000; ++i) {
        const double tie = static_cast<double>(fifteen(random)) + 0.5;
        check(tie);
        check(std::ldexp(tie, static_cast<int>(random() % 80) - 40));
        std::snprintf(buffer, sizeof buffer, "%lld5e%d", static_cast<long long>(fifteen(random)),
                      static_cast<int>(random() % 60) - 45);
        check(std::strtod(buffer, nullptr));
    }
    EXPECT_GE(checked, 9'000'000);
    EXPECT_EQ(mismatches, 0);
}

TEST(RoundTo15Digits, SpecialValues)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(RoundTo15Digits(inf), inf);
    EXPECT_TRUE(std::isnan(RoundTo15Digits(std::nan(""))));
    EXPECT_TRUE(std::signbit(RoundTo15Digits(-0.0)));
    // The largest double has no 15-digit neighbour inside the range.
    EXPECT_EQ(RoundTo15Digits(std::numeric_limits<double>::max()), inf);
    EXPECT_EQ(RoundTo15Digits(-std::numeric_limits<double>::max()), -inf);
}

} // namespace
} // namespace zv

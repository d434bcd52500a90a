#include "engine/numbertext.h"
#include "engine/round15.h"
#include "tests/support/cases.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace zv {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A list line reads back to a value that writes the same line again.
TEST(FormatRounded, TextAndItsReadBack)
{
    const std::tuple<const char *, double, int, char16_t, std::u16string> cases[] = {
        {"SixDecimals", 1.2345678, 6, u'.', u"1.234568"},
        {"WholeNumber", 2, 6, u'.', u"2"},
        {"ZeroBeforeSeparator", 0.5, 6, u'.', u"0.5"},
        {"CommaSeparator", -0.5, 6, u',', u"-0,5"},
        {"SumReadAsDecimal", 0.1 + 0.2, 6, u'.', u"0.3"},
        // Exact ties go to the even neighbour.
        {"TieDownToEven", 0.125, 2, u'.', u"0.12"},
        {"TieUpToEven", 0.375, 2, u'.', u"0.38"},
        {"TieToEvenWhole", 2.5, 0, u'.', u"2"},
        {"TieUpToEvenWhole", 3.5, 0, u'.', u"4"},
        // Not ties: the binary values lie below the decimal half.
        {"BinaryBelowHalf", 2.675, 2, u'.', u"2.67"},
        {"BinaryBelowHalfToOne", 1.005, 2, u'.', u"1"},
        // Rounded to zero: no sign.
        {"NegativeRoundsToZero", -0.0000004, 6, u'.', u"0"},
        {"NegativeZero", -0.0, 6, u'.', u"0"},
        // At most 15 significant digits.
        {"FifteenDigitCap", 123456789.123456789, 6, u'.', u"123456789.123457"},
        {"FifteenDigitCapLarge", -1234567890123.456, 6, u',', u"-1234567890123,46"},
        // Exponent form from 1e15 up and below 1e-4.
        {"RoundsUpToExponentForm", 999999999999999.9, 6, u'.', u"1E+15"},
        {"LargeExponent", 1.5e20, 6, u',', u"1,5E+20"},
        {"SmallExponent", 0.00001, 6, u'.', u"1E-05"},
        {"SmallNegativeExponent", -2.5e-7, 8, u'.', u"-2.5E-07"},
        {"SmallPlain", 0.000123, 6, u'.', u"0.000123"}};
    test::ForEachCase(cases, [](auto, double value, int decimals, char16_t separator,
                                const std::u16string &text) {
        EXPECT_EQ(FormatRounded(value, decimals, separator), text);
        double read = 0;
        ASSERT_TRUE(ReadNumberText(text, separator, read));
        EXPECT_EQ(FormatRounded(read, decimals, separator), text);
    });
}

// The plain form the Newton window writes its initial value in: what the expression checker
// reads back as the same number, exponent or not.
TEST(FormatRoundedPlain, NeverAnExponentTheCheckerWouldMisread)
{
    const std::tuple<const char *, double, int, char16_t, std::u16string> cases[] = {
        {"Small", 0.00001, 6, u'.', u"0.00001"},
        {"SmallComma", -0.0000031, 6, u',', u"-0,000003"},
        {"Large", 1.5e20, 6, u'.', u"150000000000000000000"},
        {"Ordinary", 1.2345678, 6, u'.', u"1.234568"}};
    test::ForEachCase(cases, [](auto, double value, int decimals, char16_t separator,
                                const std::u16string &text) {
        EXPECT_EQ(FormatRoundedPlain(value, decimals, separator), text);
    });
}

TEST(ReadNumberText, AcceptsOnlyWhatFormatRoundedWrites)
{
    const std::tuple<const char *, std::u16string, char16_t, bool, double> cases[] = {
        {"Point", u"1.5", u'.', true, 1.5},
        {"Comma", u"1,5", u',', true, 1.5},
        {"Whole", u"-2", u'.', true, -2},
        {"Exponent", u"1.5E+20", u'.', true, 1.5e20},
        {"ExponentComma", u"-2,5E-07", u',', true, -2.5e-7},
        {"OtherSeparator", u"1.5", u',', false, 0},
        {"OtherSeparatorComma", u"1,5", u'.', false, 0},
        {"Empty", u"", u'.', false, 0},
        {"Word", u"No root.", u'.', false, 0},
        {"LeadingBlank", u" 1", u'.', false, 0},
        {"TrailingText", u"1.5x", u'.', false, 0},
        {"NoDigitsAfterSeparator", u"1.", u'.', false, 0},
        {"ExponentWithoutSign", u"1E5", u'.', false, 0},
        {"LowerCaseExponent", u"1e5", u'.', false, 0}};
    test::ForEachCase(cases, [](auto, const auto &text, char16_t separator, bool ok, double want) {
        constexpr double kUntouched = 42;
        double value = kUntouched;
        EXPECT_EQ(ReadNumberText(text, separator, value), ok);
        EXPECT_EQ(value, ok ? want : kUntouched);
    });
}

// What a project file holds reads back to the value's 15 significant digits.
TEST(FormatFileNumber, TextAndItsReadBack)
{
    const std::tuple<const char *, double, const char *> cases[] = {
        {"Zero", 0, " 0"},
        {"NegativeZero", -0.0, " 0"},
        {"Whole", 6, " 6"},
        {"NegativeWhole", -2, "-2"},
        {"Fraction", 2.5, " 2.5"},
        {"NoZeroBeforePoint", 0.5, " .5"},
        {"NegativeNoZeroBeforePoint", -0.5, "-.5"},
        {"SmallestPlain", 0.0001, " .0001"},
        {"FifteenDigits", 1.0 / 3, " .333333333333333"},
        {"LargestPlain", 1e14, " 100000000000000"},
        {"ExponentFrom1e15", 1e15, " 1E+15"},
        {"RoundsToExponentForm", 999999999999999.9, " 1E+15"},
        {"LargeExponent", 1.5e20, " 1.5E+20"},
        {"ManyDigitsExponent", 123456789012345678.0, " 1.23456789012346E+17"},
        {"ThreeExponentDigits", -1e300, "-1E+300"},
        {"SmallExponent", 0.00001, " 1E-05"},
        {"SmallNegativeExponent", -2.5e-7, "-2.5E-07"},
        {"TwoExponentDigits", 1e-10, " 1E-10"}};
    test::ForEachCase(cases, [](auto, double value, std::string_view want) {
        const std::string text = FormatFileNumber(value);
        EXPECT_EQ(text, want);
        EXPECT_EQ(ReadLeadingNumber(std::u16string(text.begin(), text.end())),
                  RoundTo15Digits(value));
    });
}

TEST(ReadLeadingNumber, LongestLeadingNumber)
{
    const std::tuple<const char *, std::u16string, double> cases[] = {
        {"BlankThenDigit", u" 6", 6},
        {"NoZeroBeforePoint", u" .5", 0.5},
        {"NegativeFraction", u"-.5", -0.5},
        {"PlusSign", u"+7", 7},
        {"Exponent", u" 1E+15", 1e15},
        {"LowerCaseExponent", u"1e3", 1000},
        {"NegativeExponent", u"   -3.25E-2", -0.0325},
        {"TrailingText", u"2.5abc", 2.5},
        {"TrailingPoint", u"5.", 5},
        {"ExponentLetterAlone", u"1.5e", 1.5},
        {"ExponentSignAlone", u"1e+", 1},
        {"Empty", u"", 0},
        {"Word", u"abc", 0},
        {"SignAlone", u"-", 0},
        {"CommaIsNoSeparator", u"2,5", 2},
        {"LongMantissa", u"0.000000000000000000000000000001e330", 1e300},
        {"Overflow", u"1e400", kInfinity},
        {"FractionOverflow", u"0.5e400", kInfinity},
        {"HugeExponentDigits", u"1e99999999999999999999", kInfinity},
        {"ManyDigitsOverflow", u"1" + std::u16string(400, u'0'), kInfinity},
        {"Underflow", u"1e-400", 0},
        // The exponent is bounded while read, but not so that 100005 zeros outweigh it.
        {"ZerosBeforeAHugeExponent", u"0." + std::u16string(100005, u'0') + u"1e100010", 1e4},
        {"ZerosAfterAHugeNegativeExponent", u"1" + std::u16string(100005, u'0') + u"e-100010",
         1e-5}};
    test::ForEachCase(cases, [](auto, const auto &text, double value) {
        EXPECT_EQ(ReadLeadingNumber(text), value);
    });
}

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

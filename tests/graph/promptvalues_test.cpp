#include "graph/promptvalues.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

struct ReadRow
{
    const char16_t *text;
    std::optional<double> value;
};

TEST(ReadPromptNumber, CommaOrPointAndTheLongestLeadingNumber)
{
    const ReadRow rows[] = {
        {u"1,5", 1.5},
        {u"1.5", 1.5},
        {u"  -2.25", -2.25},
        {u"3e2", 300.0},
        {u"7abc", 7.0},
        {u"abc", 0.0},
        {u"", 0.0},
        {u"1,5,7", 1.5},
        {u"+.5", 0.5},
        {u"2e", 2.0},
        {u"1e400", std::nullopt},
        {u"-1e999", std::nullopt},
    };
    for (const ReadRow &row : rows) {
        SCOPED_TRACE(
            std::string(row.text, row.text + std::char_traits<char16_t>::length(row.text)));
        EXPECT_EQ(ReadPromptNumber(row.text), row.value);
    }
}

struct IntervalRow
{
    double a, b;
    bool accepted;
};

TEST(IntervalAccepted, WidthFromAThousandthTo500)
{
    const IntervalRow rows[] = {
        {1, 1, false},     {0, 500, true},     {0, 500.5, false},
        {0, 0.001, true},  {2, 1, false},      {1.5, 3, true},
        {-250, 250, true}, {0, 0.0009, false}, {-1e308, 1e308, false},
    };
    for (const IntervalRow &row : rows) {
        EXPECT_EQ(IntervalAccepted(row.a, row.b), row.accepted) << row.a << " " << row.b;
    }
}

struct PrecisionRow
{
    double typed;
    std::optional<int> precision;
};

TEST(AcceptedPrecision, RoundedHalfToEvenFrom20To800)
{
    const PrecisionRow rows[] = {
        {20, 20},
        {800, 800},
        {19.4, std::nullopt},
        {19.5, 20},
        {0, std::nullopt},
        {20.5, 20},
        {800.5, 800},
        {801, std::nullopt},
        {-20, std::nullopt},
        {1e300, std::nullopt},
        {150.7, 151},
    };
    for (const PrecisionRow &row : rows) {
        EXPECT_EQ(AcceptedPrecision(row.typed), row.precision) << row.typed;
    }
    // An empty answer reads as 0, which is refused.
    EXPECT_EQ(AcceptedPrecision(ReadPromptNumber(u"").value()), std::nullopt);
}

} // namespace
} // namespace zv

#include "graph/promptvalues.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(ReadPromptNumber, CommaOrPointAndTheLongestLeadingNumber)
{
    const std::pair<std::u16string_view, std::optional<double>> rows[] = {
        {u"1,5", 1.5},           {u"  -2.25", -2.25}, {u"3e2", 300.0},
        {u"7abc", 7.0},          {u"abc", 0.0},       {u"", 0.0},
        {u"1,5,7", 1.5},         {u"+.5", 0.5},       {u"2e", 2.0},
        {u"1e400", std::nullopt}};
    for (const auto &[text, value] : rows)
        EXPECT_EQ(ReadPromptNumber(text), value) << std::string(text.begin(), text.end());
}

TEST(PromptValues, IntervalWidthFromAThousandthTo500AndPrecisionRoundedFrom20To800)
{
    const std::tuple<double, double, bool> intervals[] = {
        {1, 1, false}, {0, 500, true},     {0, 500.5, false},     {0, 0.001, true},
        {2, 1, false}, {0, 0.0009, false}, {-1e308, 1e308, false}};
    for (const auto &[a, b, accepted] : intervals)
        EXPECT_EQ(IntervalAccepted(a, b), accepted) << a << " " << b;
    // Halves round to even.
    const std::pair<double, std::optional<int>> precisions[] = {
        {20, 20},     {800, 800},          {19.4, std::nullopt}, {19.5, 20},           {20.5, 20},
        {800.5, 800}, {801, std::nullopt}, {0, std::nullopt},    {1e300, std::nullopt}};
    for (const auto &[typed, precision] : precisions)
        EXPECT_EQ(AcceptedPrecision(typed), precision) << typed;
}

} // namespace
} // namespace zv

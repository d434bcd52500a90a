#include "roots/newtonsearch.h"

#include <gtest/gtest.h>

#include <string>

namespace zv {
namespace {

using Focus = NewtonOutcome::Focus;

struct SearchCase
{
    const char *name;
    std::u16string function;
    std::u16string initial;
    char16_t separator;
    std::u16string value;
    const char *error; // nullptr: the error label stays hidden
    Focus focus;
    int caret;
};

void PrintTo(const SearchCase &c, std::ostream *os)
{
    *os << c.name;
}

class NewtonSearchTable : public testing::TestWithParam<SearchCase>
{
};

TEST_P(NewtonSearchTable, WhatTheWindowShows)
{
    const SearchCase &c = GetParam();
    const NewtonOutcome outcome = NewtonSearch(c.function, c.initial, c.separator);
    EXPECT_EQ(outcome.valueText, c.value);
    EXPECT_EQ(outcome.errorShown, c.error != nullptr);
    EXPECT_EQ(outcome.errorText, c.error ? c.error : "");
    EXPECT_EQ(outcome.rootFound, c.error == nullptr);
    EXPECT_EQ(outcome.focus, c.focus);
    if (c.focus != NewtonOutcome::kFocusUnchanged) {
        EXPECT_EQ(outcome.caret, c.caret);
    }
}

constexpr Focus kStay = NewtonOutcome::kFocusUnchanged;
constexpr Focus kFunction = NewtonOutcome::kFocusFunction;
constexpr Focus kInitial = NewtonOutcome::kFocusInitialValue;
const char *const kNoRootFound = "No root has been found.";

const SearchCase kCases[] = {
    // Roots, rounded to 6 decimals in the separator of the locale.
    {"PositiveRoot", u"x^2-4", u"1", u'.', u"2", nullptr, kStay, 0},
    {"NegativeRoot", u"x^2-4", u"-1", u'.', u"-2", nullptr, kStay, 0},
    {"RoundedToSixDecimals", u"sin(x)", u"3", u'.', u"3.141593", nullptr, kStay, 0},
    {"CommaSeparator", u"x^2-2.25", u"1", u',', u"1,5", nullptr, kStay, 0},
    {"ImplicitProduct", u"2x-1", u"0", u'.', u"0.5", nullptr, kStay, 0},
    {"ConstantInitialValue", u"x^2-4", u"pi/2", u'.', u"2", nullptr, kStay, 0},
    {"RootWhereSlopeVanishes", u"x^2", u"0", u'.', u"0", nullptr, kStay, 0},

    // The iteration ends without a root.
    {"NoRealRoot", u"x^2+1", u"0.5", u'.', u"No root.", kNoRootFound, kStay, 0},
    {"DriftsAway", u"exp(-x)", u"0", u'.', u"No root.", kNoRootFound, kStay, 0},
    {"FunctionUndefinedAtStart", u"ln(x)", u"-1", u'.', u"No root.", kNoRootFound, kStay, 0},

    // Check failures: focus on the faulty field, caret right before the faulty token.
    {"EmptyFunction", u"", u"1", u'.', u"Error", "Error #17 : Enter the expression first.",
     kFunction, 0},
    {"TwoOperators", u"x^2+*3", u"1", u'.', u"Error",
     "Error #14 : Two operators can't stick together.", kFunction, 4},
    {"FunctionCheckedFirst", u"x^2+", u"", u'.', u"Error",
     "Error #23 : Expression can't end in an operator.", kFunction, 4},
    {"EmptyInitialValue", u"x^2", u"", u'.', u"Error", "Error #17 : Enter the expression first.",
     kInitial, 0},
    {"VariableInInitialValue", u"x^2", u"x", u'.', u"Error",
     "Error #16 : Expression contains unknown functions or operands.", kInitial, 0},
    {"InitialValueEndsInOperator", u"x^2", u"1+", u'.', u"Error",
     "Error #23 : Expression can't end in an operator.", kInitial, 2},

    // An initial value that passes the check but cannot be evaluated: focus stays.
    {"InitialValueUndefined", u"x^2-4", u"ln(-1)", u'.', u"Error",
     "Error #2 : Logarithm needs to have a positive argument.", kStay, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, NewtonSearchTable, testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct FromPointCase
{
    const char *name;
    std::u16string function; // translated, as the graph window hands it over
    double x0;
    char16_t separator;
    std::u16string value;
    bool rootFound;
};

void PrintTo(const FromPointCase &c, std::ostream *os)
{
    *os << c.name;
}

class NewtonFromPointTable : public testing::TestWithParam<FromPointCase>
{
};

TEST_P(NewtonFromPointTable, WhatTheWindowShows)
{
    const FromPointCase &c = GetParam();
    const NewtonOutcome outcome = NewtonFromPoint(c.function, c.x0, c.separator);
    EXPECT_EQ(outcome.valueText, c.value);
    EXPECT_EQ(outcome.rootFound, c.rootFound);
    EXPECT_EQ(outcome.errorShown, !c.rootFound);
    EXPECT_EQ(outcome.errorText, c.rootFound ? "" : kNoRootFound);
    EXPECT_EQ(outcome.focus, NewtonOutcome::kFocusUnchanged);
}

const FromPointCase kFromPoint[] = {
    {"ClickedNearRoot", u"2*x-1", 3, u'.', u"0.5", true},
    {"CommaSeparator", u"2*x-1", 3, u',', u"0,5", true},
    {"SixDecimals", u"x^3-2*x-5", 2, u'.', u"2.094551", true},
    {"NoRoot", u"x^2+1", 0.5, u'.', u"No root.", false},
};

INSTANTIATE_TEST_SUITE_P(Cases, NewtonFromPointTable, testing::ValuesIn(kFromPoint),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zv

#include "roots/newtonsearch.h"
#include "tests/support/cases.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using Focus = NewtonOutcome::Focus;

constexpr Focus kStay = NewtonOutcome::kFocusUnchanged;
constexpr Focus kFunction = NewtonOutcome::kFocusFunction;
const char *const kNoRootFound = "No root has been found.";

TEST(NewtonSearch, WhatTheWindowShows)
{
    // error: nullptr: the error label stays hidden.
    using Row = std::tuple<const char *, std::u16string_view, std::u16string_view, char16_t,
                           std::u16string_view, const char *, Focus, int>;
    const Row cases[] = {
        // The Approximate window's own table (tests/tools) drives the searches and failures
        // through the window; these rows add the number forms and the function's caret.
        {"RoundedToSixDecimals", u"sin(x)", u"3", u'.', u"3.141593", nullptr, kStay, 0},
        {"CommaSeparator", u"x^2-2.25", u"1", u',', u"1,5", nullptr, kStay, 0},
        {"ImplicitProduct", u"2x-1", u"0", u'.', u"0.5", nullptr, kStay, 0},
        {"ConstantInitialValue", u"x^2-4", u"pi/2", u'.', u"2", nullptr, kStay, 0},
        {"FunctionUndefinedAtStart", u"ln(x)", u"-1", u'.', u"No root.", kNoRootFound, kStay, 0},
        {"TwoOperators", u"x^2+*3", u"1", u'.', u"Error",
         "Error #14 : Two operators can't stick together.", kFunction, 4},
        {"FunctionCheckedFirst", u"x^2+", u"", u'.', u"Error",
         "Error #23 : Expression can't end in an operator.", kFunction, 4},
    };
    test::ForEachCase(cases, [](auto, auto function, auto initial, char16_t separator, auto value,
                                const char *error, Focus focus, int caret) {
        const NewtonOutcome outcome = NewtonSearch(function, initial, separator);
        EXPECT_EQ(outcome.valueText, value);
        EXPECT_EQ(outcome.errorShown, error != nullptr);
        EXPECT_EQ(outcome.errorText, error ? error : "");
        EXPECT_EQ(outcome.rootFound, error == nullptr);
        EXPECT_EQ(outcome.focus, focus);
        if (focus != kStay) {
            EXPECT_EQ(outcome.caret, caret);
        }
    });
}

// The graph window hands over a translated function and a clicked x: no checks, no focus. Its
// outcomes are the Approximate window's tests; here the separator.
TEST(NewtonFromPoint, WritesTheGivenSeparator)
{
    EXPECT_EQ(NewtonFromPoint(u"2*x-1", 3, u',').valueText, u"0,5");
}

} // namespace
} // namespace zv

// The newton and roots commands of zerovane-cli, run as a user runs them.

#include "clirunner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct CliCase
{
    const char *name;
    std::vector<std::string> args;
    const char *output; // nullptr: not compared
    int exitCode;
};

void PrintTo(const CliCase &c, std::ostream *os)
{
    *os << c.name;
}

class CliRoots : public testing::TestWithParam<CliCase>
{
};

TEST_P(CliRoots, PrintsWhatTheWindowShows)
{
    const CliCase &c = GetParam();
    const CliRun run = RunCli(c.args);
    if (c.output) {
        EXPECT_EQ(run.out, c.output);
    }
    EXPECT_EQ(run.exitCode, c.exitCode);
}

const CliCase kCases[] = {
    // newton: the value field, then the error label when it is shown.
    {"NewtonFindsPositiveRoot", {"newton", "x^2-4", "1"}, "2\n", 0},
    {"NewtonRootWhereSlopeVanishes", {"newton", "x^2", "0"}, "0\n", 0},
    {"NewtonWanderingIsNoRoot",
     {"newton", "x^2+1", "0.5"},
     "No root.\nNo root has been found.\n",
     1},
    {"NewtonStartCannotBeEvaluated",
     {"newton", "x^2-4", "ln(-1)"},
     "Error\nError #2 : Logarithm needs to have a positive argument.\n",
     1},
    {"NewtonFunctionFailsCheck",
     {"newton", "2+*x", "1"},
     "Error #14 : Two operators can't stick together.\nposition 4\n",
     1},
    {"NewtonStartMayNotUseX",
     {"newton", "x^2", "x"},
     "Error #16 : Expression contains unknown functions or operands.\nposition 2\n",
     1},

    // roots: the lines of the list, "." as separator.
    {"RootsTwoSimple", {"roots", "x^2-4", "-3", "3"}, "-2\n2\n", 0},
    {"RootsTouching", {"roots", "(x-1)^2", "0", "3"}, "1\n", 0},
    {"RootsDoubleAndSimple", {"roots", "(x-2)^2*(x+1)", "-3", "3"}, "-1\n2\n", 0},
    {"RootsWithPrecision", {"roots", "x^2-2", "0", "2", "800"}, "1.414214\n", 0},
    {"RootsNoneIsNoFailure", {"roots", "x^2+1", "-3", "3"}, "", 0},
    {"RootsPoleIsNoRoot", {"roots", "tg(x)", "1", "2"}, "", 0},
    {"RootsFunctionFailsCheck", {"roots", "x^2+", "0", "1"}, nullptr, 1},
    {"RootsPrecisionTooLow", {"roots", "x", "-1", "1", "19"}, nullptr, 2},
    {"RootsMissingEnd", {"roots", "x", "-1"}, nullptr, 2},
};

INSTANTIATE_TEST_SUITE_P(Cases, CliRoots, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<CliCase> &info) {
                             return std::string(info.param.name);
                         });

} // namespace

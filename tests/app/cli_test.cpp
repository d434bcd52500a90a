#include "clirunner.h"

#include <gtest/gtest.h>

namespace {

struct CliCase
{
    const char *name;
    std::vector<std::string> args;
    std::string out;
    int exitCode;
};

class CliTable : public testing::TestWithParam<CliCase>
{
};

TEST_P(CliTable, OutputAndExitCode)
{
    const CliRun run = RunCli(GetParam().args);
    EXPECT_EQ(run.out, GetParam().out);
    EXPECT_EQ(run.exitCode, GetParam().exitCode);
}

const CliCase kCases[] = {
    {"CheckTranslates", {"check", "2x(x+1)"}, "2*x*(x+1)\n", 0},
    {"CheckConstantRejectsX",
     {"check", "--constant", "x"},
     "Error #16 : Expression contains unknown functions or operands.\nposition 2\n",
     1},
    {"CheckConstantPasses", {"check", "--constant", "2,5"}, "2.5\n", 0},
    {"CheckEmpty", {"check", ""}, "Error #17 : Enter the expression first.\nposition 2\n", 1},
    {"CheckFault",
     {"check", "x+"},
     "Error #23 : Expression can't end in an operator.\nposition 4\n",
     1},
    {"EvalAtNegativePoint", {"eval", "x^2-4", "-1.5"}, "-1.75 0\n", 0},
    {"EvalAtConstantExpression", {"eval", "x", "pi/4"}, "0.785398163397448 0\n", 0},
    {"EvalShortestForm", {"eval", "x", "0.1"}, "0.1 0\n", 0},
    // A failure code is a result, not a failed input.
    {"EvalDomainFault", {"eval", "ln(x)+1", "-1"}, "1 2\n", 0},
    {"EvalDivisionByZero", {"eval", "1/x", "0"}, "0 7\n", 0},
    {"EvalBadPoint",
     {"eval", "x", "x"},
     "Error #16 : Expression contains unknown functions or operands.\nposition 2\n",
     1},
    {"EvalPointNotEvaluable",
     {"eval", "x", "ln(0)"},
     "Error #2 : Logarithm needs to have a positive argument.\n",
     1},
    {"DeriveSquare", {"derive", "x^3", "0"}, "0 0\n", 0},
    {"DeriveFails", {"derive", "r(x)", "0"}, "0 1\n", 0},
    {"UnknownCommand", {"solve", "x"}, "", 2},
    {"MissingArgument", {"eval", "x"}, "", 2},
    {"NoArguments", {}, "", 2},
    {"CheckWithoutText", {"check", "--constant"}, "", 2},
};

INSTANTIATE_TEST_SUITE_P(Cli, CliTable, testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Cli, HelpPrintsUsage)
{
    const CliRun run = RunCli({"--help"});
    EXPECT_NE(run.out.find("zerovane-cli eval TEXT X"), std::string::npos);
    EXPECT_EQ(run.exitCode, 0);
}

TEST(Cli, PointIsTheDecimalSeparatorWhateverTheLocale)
{
    // A locale with a decimal comma must not change what is printed or read.
    const CliRun run = RunCli({"eval", "x/4", "1.5"}, "de_DE.UTF-8");
    EXPECT_EQ(run.out, "0.375 0\n");
}

} // namespace

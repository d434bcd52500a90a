// zerovane-cli run as a user runs it. What the engine and the root searches compute is tested
// in their own folders; these rows pin what the console adds: arguments, output and exit codes.
#include "clirunner.h"
#include "tests/support/cases.h"

#include <gtest/gtest.h>

#include <clocale>

namespace {

TEST(Cli, OutputAndExitCode)
{
    // Where a number is due, x is an unknown name.
    const std::string
        xIsUnknown = "Error #16 : Expression contains unknown functions or operands.\nposition 2\n",
        ln = "Error #2 : Logarithm needs to have a positive argument.\n",
        twoOperators = "Error #14 : Two operators can't stick together.\nposition 4\n",
        endsInOperator = "Error #23 : Expression can't end in an operator.\nposition 6\n";
    const std::tuple<const char *, std::vector<std::string>, std::string, int> cases[] = {
        // check: the translation, or the fault with its position.
        {"CheckTranslates", {"check", "2x(x+1)"}, "2*x*(x+1)\n", 0},
        {"CheckConstantRejectsX", {"check", "--constant", "x"}, xIsUnknown, 1},
        // eval and derive: the value in its shortest form and the code, which is a result.
        {"EvalAtNegativePoint", {"eval", "x^2-4", "-1.5"}, "-1.75 0\n", 0},
        {"EvalDomainFault", {"eval", "ln(x)+1", "-1"}, "1 2\n", 0},
        {"EvalBadPoint", {"eval", "x", "x"}, xIsUnknown, 1},
        {"EvalPointNotEvaluable", {"eval", "x", "ln(0)"}, ln, 1},
        {"DeriveSquare", {"derive", "x^2", "3"}, "5.999999999995941 0\n", 0},
        {"DeriveFails", {"derive", "r(x)", "0"}, "0 1\n", 0},
        // newton: the value field, then the error label when it is shown.
        {"NewtonFindsRoot", {"newton", "x^2-4", "1"}, "2\n", 0},
        {"NewtonNoRoot", {"newton", "x^2+1", "0.5"}, "No root.\nNo root has been found.\n", 1},
        {"NewtonFunctionFailsCheck", {"newton", "2+*x", "1"}, twoOperators, 1},
        {"NewtonStartMayNotUseX", {"newton", "x^2", "x"}, xIsUnknown, 1},
        // roots: the lines of the list, "." as separator; none found is no failure.
        {"RootsTwoSimple", {"roots", "x^2-4", "-3", "3"}, "-2\n2\n", 0},
        // Roots closer than one step at the default precision are told apart at 800.
        {"RootsWithPrecision", {"roots", "(x-1)*(x-1.001)", "0", "2", "800"}, "1\n1.001\n", 0},
        {"RootsNone", {"roots", "x^2+1", "-3", "3"}, "", 0},
        {"RootsFunctionFailsCheck", {"roots", "x^2+", "0", "1"}, endsInOperator, 1},
        // Usage errors print nothing on stdout.
        {"RootsPrecisionTooLow", {"roots", "x", "-1", "1", "19"}, "", 2},
        {"RootsMissingEnd", {"roots", "x", "-1"}, "", 2},
        {"EvalMissingArgument", {"eval", "x"}, "", 2},
        {"CheckWithoutText", {"check", "--constant"}, "", 2},
        {"UnknownCommand", {"solve", "x"}, "", 2},
        {"NoArguments", {}, "", 2},
    };
    zv::test::ForEachCase(cases, [](auto, const auto &args, const std::string &out, int exitCode) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.out, out);
        EXPECT_EQ(run.exitCode, exitCode);
    });
}

TEST(Cli, HelpPrintsUsage)
{
    const CliRun run = RunCli({"--help"});
    EXPECT_NE(run.out.find("zerovane-cli eval TEXT X"), std::string::npos);
    EXPECT_EQ(run.exitCode, 0);
}

TEST(Cli, PointIsTheDecimalSeparatorWhateverTheLocale)
{
    // A locale with a decimal comma must not change what is printed or read. Without that
    // locale installed the program would run in "C" and prove nothing.
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    std::setlocale(LC_ALL, "C");
    const CliRun run = RunCli({"eval", "x/4", "1.5"}, "de_DE.UTF-8");
    EXPECT_EQ(run.out, "0.375 0\n");
}

} // namespace

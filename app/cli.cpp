// zerovane-cli: the console companion of Zerovane, on the same engine as the windows.
// Numbers are printed with "." whatever the locale; exit 0 on success, 1 when an input fails
// its check, 2 on usage errors.

#include "engine/checkandtranslate.h"
#include "engine/derivative.h"
#include "engine/errortext.h"
#include "engine/evaluator.h"
#include "engine/utf.h"
#include "methods/methodsinput.h"
#include "methods/methodsreport.h"
#include "roots/newtonsearch.h"
#include "roots/rootscan.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitInputFailed = 1;
constexpr int kExitUsage = 2;

constexpr int kMinPrecision = 20;
constexpr int kMaxPrecision = 800;
constexpr int kDefaultPrecision = 100;

const char *const kUsage =
    "Usage:\n"
    "  zerovane-cli check [--constant] TEXT   check TEXT and print its translation\n"
    "  zerovane-cli eval TEXT X               print f(X) and the error code\n"
    "  zerovane-cli derive TEXT X             print f'(X) and the failure flag\n"
    "  zerovane-cli newton TEXT X0            approximate a root from X0\n"
    "  zerovane-cli roots TEXT A B [PRECISION]\n"
    "                                         list the roots found on [A; B]\n"
    "                                         (PRECISION 20 to 800, default 100)\n"
    "  zerovane-cli methods TEXT A B [--tol T] [--x0 X0] [--json]\n"
    "                                         compare root-finding methods on [A; B]\n"
    "                                         (T on x, default 1e-10; X0 default the middle;\n"
    "                                         the secant's second point: the farther end)\n"
    "  zerovane-cli --help                    show this text\n"
    "TEXT is a function of x; X, X0, A and B are numbers or constant expressions such\n"
    "as pi/4. Arguments after the command are values, so negative numbers work as typed.\n";

int UsageError()
{
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

// The shortest text that reads back to the same double.
std::string Shortest(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Checks one argument; on a fault prints the message and the position and returns nothing.
std::optional<std::u16string> Checked(const char *argument, bool allowVariable)
{
    const auto result = zv::CheckAndTranslate(zv::FromUtf8(argument), allowVariable);
    if (result.code > 0) {
        std::cout << zv::ErrorText(result.code) << "\nposition " << result.position << "\n";
        return std::nullopt;
    }
    return result.text;
}

// A checked constant expression evaluated at x = 0, the way the tool windows take a point.
std::optional<double> ConstantValue(const char *argument)
{
    const auto text = Checked(argument, false);
    if (!text)
        return std::nullopt;
    int16_t code = 0;
    const double value = zv::Evaluate(*text, 0, code);
    if (code > 0) {
        std::cout << zv::ErrorText(code) << "\n";
        return std::nullopt;
    }
    return value;
}

int Check(const std::vector<std::string> &args)
{
    const bool constant = !args.empty() && args[0] == "--constant";
    if (args.size() != (constant ? 2u : 1u))
        return UsageError();
    const auto text = Checked(args.back().c_str(), !constant);
    if (!text)
        return kExitInputFailed;
    std::cout << zv::ToUtf8(*text) << "\n";
    return kExitOk;
}

template<typename Compute>
int ValueAtPoint(const std::vector<std::string> &args, Compute compute)
{
    if (args.size() != 2)
        return UsageError();
    const auto function = Checked(args[0].c_str(), true);
    if (!function)
        return kExitInputFailed;
    const auto x = ConstantValue(args[1].c_str());
    if (!x)
        return kExitInputFailed;
    int16_t code = 0;
    const double value = compute(*function, *x, code);
    std::cout << Shortest(value) << " " << code << "\n";
    return kExitOk;
}

int Newton(const std::vector<std::string> &args)
{
    if (args.size() != 2)
        return UsageError();
    if (!Checked(args[0].c_str(), true) || !Checked(args[1].c_str(), false))
        return kExitInputFailed;
    const auto outcome = zv::NewtonSearch(zv::FromUtf8(args[0]), zv::FromUtf8(args[1]), u'.');
    std::cout << zv::ToUtf8(outcome.valueText) << "\n";
    if (outcome.errorShown)
        std::cout << outcome.errorText << "\n";
    return outcome.rootFound ? kExitOk : kExitInputFailed;
}

std::optional<int> ParsePrecision(const std::string &text)
{
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    if (value < kMinPrecision || value > kMaxPrecision)
        return std::nullopt;
    return value;
}

int Roots(const std::vector<std::string> &args)
{
    if (args.size() != 3 && args.size() != 4)
        return UsageError();
    int precision = kDefaultPrecision;
    if (args.size() == 4) {
        const auto parsed = ParsePrecision(args[3]);
        if (!parsed)
            return UsageError();
        precision = *parsed;
    }
    const auto function = Checked(args[0].c_str(), true);
    if (!function)
        return kExitInputFailed;
    const auto a = ConstantValue(args[1].c_str());
    if (!a)
        return kExitInputFailed;
    const auto b = ConstantValue(args[2].c_str());
    if (!b)
        return kExitInputFailed;
    const auto scan = zv::ScanForRoots(*function, *a, *b, precision, u'.');
    if (const int16_t failure = scan.NothingEvaluable(); failure != 0) {
        std::cout << zv::ErrorText(failure) << "\n";
        return kExitInputFailed;
    }
    for (const auto &line : scan.lines)
        std::cout << zv::ToUtf8(line) << "\n";
    return kExitOk;
}

int Methods(const std::vector<std::string> &args)
{
    if (args.size() < 3)
        return UsageError();
    std::string tolerance = zv::ShortestNumber(zv::kDefaultTolerance);
    std::string x0; // empty: the middle of [A; B]
    bool json = false;
    for (std::size_t i = 3; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--json")
            json = true;
        else if (args[i] == "--tol" && hasValue)
            tolerance = args[++i];
        else if (args[i] == "--x0" && hasValue)
            x0 = args[++i];
        else
            return UsageError();
    }
    const auto check =
        zv::CheckMethodsInput(zv::FromUtf8(args[0]), zv::FromUtf8(args[1]), zv::FromUtf8(args[2]),
                              zv::FromUtf8(tolerance), zv::FromUtf8(x0));
    if (!check.passed) {
        std::cout << check.errorText << "\n";
        if (check.checkerFault)
            std::cout << "position " << check.caret + 2 << "\n";
        return kExitInputFailed;
    }
    const auto runs = zv::CompareMethods(check.input);
    std::cout << (json ? zv::MethodsJson(args[0], check.input, runs) : zv::SummaryTable(runs));
    return kExitOk;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return UsageError();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);

    if (command == "--help" || command == "-h") {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }

    zv::InitEvaluator();
    if (command == "check")
        return Check(args);
    if (command == "eval")
        return ValueAtPoint(args, [](std::u16string_view f, double x, int16_t &code) {
            return zv::Evaluate(f, x, code);
        });
    if (command == "derive")
        return ValueAtPoint(args, [](std::u16string_view f, double x, int16_t &flag) {
            return zv::Derivative(f, x, flag);
        });
    if (command == "newton")
        return Newton(args);
    if (command == "roots")
        return Roots(args);
    if (command == "methods")
        return Methods(args);
    return UsageError();
}

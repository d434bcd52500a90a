// libFuzzer target: any typed text through the checker, then its translation through the
// evaluator and the derivative at a few x; and the raw text straight into both, as the graph
// window hands on a text it does not check again. Every fault must come back as a code.
//
// Input: the text in UTF-8 (invalid bytes become U+FFFD), optionally followed by a NUL and a
// number that is tried as one more x.

#include "engine/checkandtranslate.h"
#include "engine/derivative.h"
#include "engine/evaluator.h"
#include "engine/numbertext.h"
#include "engine/program.h"
#include "engine/res.h"
#include "engine/utf.h"
#include "fuzz/fuzzcheck.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using zv::fuzz::Require;

// Points where functions change behaviour (0, the domain ends of ln, r, arcsin), an ordinary
// value, and a magnitude where the arithmetic overflows; the input may add one of its own.
constexpr double kPoints[] = {0.0, 1.0, -1.0, -2.75, 1e300};

bool IsCheckerCode(int16_t code)
{
    return (code >= 11 && code <= 17) || (code >= 19 && code <= 23);
}

void EvaluateAt(std::u16string_view expression, double x)
{
    int16_t code = -1;
    const double value = zv::Evaluate(expression, x, code);
    Require(code >= 0 && code <= 9, "Evaluate reports a code from 0 to 9");
    Require(code == 0 ? std::isfinite(value) : code < 7 || value == 0,
            "a value is finite with code 0 and 0 with codes 7 to 9");

    int16_t flag = -1;
    const double slope = zv::Derivative(expression, x, flag);
    Require(flag == 0 || flag == 1, "Derivative flags 0 or 1");
    Require(flag == 0 ? std::isfinite(slope) : slope == 0,
            "a derivative is finite when computed and 0 when not");
}

// The optimised program and the plain one agree to the bit, in value and codes.
void CompareOptimiser(std::u16string_view expression, const std::vector<double> &points)
{
    const zv::Program plain = zv::Program::Compile(expression, false);
    const zv::Program optimised = zv::Program::Compile(expression, true);
    Require(plain.compileError() == optimised.compileError(), "both compile alike");
    zv::Res plainRes, optimisedRes;
    plainRes.set_c();
    optimisedRes.set_c();
    for (const double x : points) {
        plainRes.setx(x);
        optimisedRes.setx(x);
        int16_t plainCode = -1, optimisedCode = -1;
        const double a = plain.Run(plainRes, plainCode);
        const double b = optimised.Run(optimisedRes, optimisedCode);
        Require(plainCode == optimisedCode && plainRes.eroare == optimisedRes.eroare,
                "optimised and plain programs report the same codes");
        Require(std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b),
                "optimised and plain programs give the same bits");
    }
}

void Exercise(std::u16string_view expression, const std::vector<double> &points)
{
    for (const double x : points)
        EvaluateAt(expression, x);
    CompareOptimiser(expression, points);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const size_t nul = input.find('\0');
    const std::u16string text = zv::FromUtf8(input.substr(0, nul));
    std::vector<double> points(std::begin(kPoints), std::end(kPoints));
    if (nul != std::string_view::npos) {
        const double x = zv::ReadLeadingNumber(zv::FromUtf8(input.substr(nul + 1)));
        if (std::isfinite(x))
            points.push_back(x);
    }

    for (const bool allowVariable : {true, false}) {
        const zv::CheckResult checked = zv::CheckAndTranslate(text, allowVariable);
        Require(checked.code == 0 || IsCheckerCode(checked.code), "the checker's own codes");
        Require(checked.position >= 2 && checked.position <= static_cast<int>(text.size()) + 2,
                "the fault's position lies in the text or right after it");
        if (checked.code != 0) {
            Require(checked.code == 11 || checked.text.empty(),
                    "only an unbalanced text keeps its translation");
            continue;
        }
        // A translation is itself a sound text that translates to itself.
        const zv::CheckResult again = zv::CheckAndTranslate(checked.text, allowVariable);
        Require(again.code == 0 && again.text == checked.text, "translating is idempotent");
        Exercise(checked.text, points);
    }
    Exercise(text, points);
    return 0;
}

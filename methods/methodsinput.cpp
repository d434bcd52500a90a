#include "methods/methodsinput.h"

#include "engine/checkandtranslate.h"
#include "engine/errortext.h"
#include "engine/evaluator.h"
#include "texts/messagetexts.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zv {

namespace {

constexpr int kTextNoInterval = 38; // "The two values don't build an interval."
const char *const kToleranceText = "The tolerance must be a number above 0.";

MethodsCheck Failure(std::string text, MethodsCheck::Field field, int caret)
{
    MethodsCheck check;
    check.errorText = std::move(text);
    check.field = field;
    check.caret = caret;
    return check;
}

// A constant expression's value, or the failure in that field.
bool ConstantValue(std::u16string_view text, MethodsCheck::Field field, double &value,
                   MethodsCheck &failure)
{
    const CheckResult result = CheckAndTranslate(text, false);
    if (result.code > 0) {
        failure = Failure(ErrorText(result.code), field, std::max(0, result.position - 2));
        failure.checkerFault = true;
        return false;
    }
    int16_t code = 0;
    value = Evaluate(result.text, 0, code);
    if (code > 0) {
        failure = Failure(ErrorText(code), field, static_cast<int>(text.size()));
        return false;
    }
    return true;
}

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

bool ReadPlainNumber(std::u16string_view text, double &value)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    std::string ascii;
    for (char16_t c : text) {
        const bool allowed = (c >= u'0' && c <= u'9') || c == u'.' || c == u',' || c == u'e' ||
                             c == u'E' || c == u'-' || c == u'+';
        if (!allowed)
            return false;
        ascii += c == u',' ? '.' : static_cast<char>(c);
    }
    double parsed = 0;
    const char *end = ascii.data() + ascii.size();
    const auto result = std::from_chars(ascii.data(), end, parsed, std::chars_format::general);
    if (ascii.empty() || result.ec != std::errc() || result.ptr != end)
        return false;
    value = parsed;
    return true;
}

MethodsCheck CheckMethodsInput(std::u16string_view function, std::u16string_view a,
                               std::u16string_view b, std::u16string_view tolerance,
                               std::u16string_view x0)
{
    const CheckResult translated = CheckAndTranslate(function, true);
    if (translated.code > 0) {
        MethodsCheck failure = Failure(ErrorText(translated.code), MethodsCheck::kFunction,
                                       std::max(0, translated.position - 2));
        failure.checkerFault = true;
        return failure;
    }
    MethodsCheck check;
    MethodsInput &input = check.input;
    input.expression = translated.text;
    if (!ConstantValue(a, MethodsCheck::kA, input.a, check) ||
        !ConstantValue(b, MethodsCheck::kB, input.b, check))
        return check;
    // Written so that a bound without a number (NaN) or beyond the doubles fails too.
    if (!(input.a < input.b) || !std::isfinite(input.a) || !std::isfinite(input.b))
        return Failure(MessageText(kTextNoInterval), MethodsCheck::kA, 0);
    // "1e-10" read as an expression would be 1*e-10: a plain number is taken as written.
    if (!ReadPlainNumber(tolerance, input.tolerance) &&
        !ConstantValue(tolerance, MethodsCheck::kTolerance, input.tolerance, check))
        return check;
    if (!(input.tolerance > 0) || !std::isfinite(input.tolerance))
        return Failure(kToleranceText, MethodsCheck::kTolerance,
                       static_cast<int>(tolerance.size()));
    const bool blank = std::all_of(x0.begin(), x0.end(), IsBlank);
    if (blank)
        input.x0 = input.a + 0.5 * (input.b - input.a);
    else if (!ConstantValue(x0, MethodsCheck::kStart, input.x0, check))
        return check;
    if (!std::isfinite(input.x0))
        return Failure(ErrorText(kOverflow), MethodsCheck::kStart, static_cast<int>(x0.size()));
    check.passed = true;
    return check;
}

} // namespace zv

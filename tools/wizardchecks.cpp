#include "tools/wizardchecks.h"

#include "engine/checkandtranslate.h"
#include "engine/errortext.h"
#include "engine/evaluator.h"
#include "texts/messagetexts.h"

#include <algorithm>
#include <array>

namespace zv {

namespace {

constexpr int kTextNoInterval = 38; // "The two values don't build an interval."
constexpr int kTextTooBig = 39;     // "The interval is too big."
constexpr int kTextTooSmall = 40;   // "The interval is too small."

IntervalCheck Failure(std::string text, IntervalCheck::Field field, int caret = 0)
{
    IntervalCheck check;
    check.errorText = std::move(text);
    check.focus = field;
    check.caret = caret;
    return check;
}

} // namespace

EquationCheck CheckEquation(std::u16string_view text)
{
    const CheckResult result = CheckAndTranslate(text, true);
    EquationCheck check;
    if (result.code > 0) {
        check.errorText = ErrorText(result.code);
        check.caret = std::max(0, result.position - 2);
        return check;
    }
    check.passed = true;
    check.translated = result.text;
    return check;
}

IntervalCheck CheckInterval(std::u16string_view aText, std::u16string_view bText)
{
    const std::array<std::u16string_view, 2> texts{aText, bText};
    const std::array<IntervalCheck::Field, 2> fields{IntervalCheck::kBoundA,
                                                     IntervalCheck::kBoundB};
    std::array<std::u16string, 2> translated;
    for (size_t i = 0; i < 2; ++i) {
        const CheckResult result = CheckAndTranslate(texts[i], false);
        if (result.code > 0)
            return Failure(ErrorText(result.code), fields[i], std::max(0, result.position - 2));
        translated[i] = result.text;
    }

    // A bound that passes the check can still have no value (1/0, ln(-1)); it is reported,
    // never taken as 0.
    std::array<double, 2> bounds{};
    for (size_t i = 0; i < 2; ++i) {
        int16_t code = 0;
        bounds[i] = Evaluate(translated[i], 0, code);
        if (code > 0)
            return Failure(ErrorText(code), fields[i]);
    }

    const double a = bounds[0];
    const double b = bounds[1];
    // Written so that a bound without a number (NaN) fails too.
    if (!(a < b))
        return Failure(MessageText(kTextNoInterval), IntervalCheck::kBoundA);
    if (b - a > kWidestInterval)
        return Failure(MessageText(kTextTooBig), IntervalCheck::kBoundA);
    if (b - a < kNarrowestInterval)
        return Failure(MessageText(kTextTooSmall), IntervalCheck::kBoundA);

    IntervalCheck check;
    check.passed = true;
    check.a = a;
    check.b = b;
    return check;
}

bool UsesUndifferentiableFunction(std::u16string_view equation)
{
    for (const std::u16string_view name : {u"abs", u"int", u"frac"}) {
        if (equation.find(name) != std::u16string_view::npos)
            return true;
    }
    return false;
}

} // namespace zv

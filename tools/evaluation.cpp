#include "tools/evaluation.h"

#include "engine/checkandtranslate.h"
#include "engine/derivative.h"
#include "engine/errortext.h"
#include "engine/evaluator.h"
#include "engine/numbertext.h"
#include "engine/utf.h"
#include "texts/messagetexts.h"

#include <algorithm>

namespace zv {

namespace {

constexpr int kTextError = 9;              // "Error"
constexpr int kTextPointHint = 13;         // "X-Point"
constexpr int kTextNotDifferentiable = 14; // "f is not differentiable"

std::u16string Text(int index)
{
    return FromUtf8(MessageText(index));
}

EvaluationOutcome Failure(int16_t code)
{
    EvaluationOutcome outcome;
    outcome.valueText = Text(kTextError);
    outcome.errorShown = true;
    outcome.errorText = ErrorText(code);
    return outcome;
}

// A text that failed its check: both results read "Error", the caret stands right before the
// faulty token.
EvaluationOutcome CheckFailure(const CheckResult &check, EvaluationOutcome::Focus field)
{
    EvaluationOutcome outcome = Failure(check.code);
    outcome.derivativeText = Text(kTextError);
    outcome.focus = field;
    outcome.caret = std::max(0, check.position - 2);
    return outcome;
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Skips digits from i; returns how many.
size_t SkipDigits(std::u16string_view text, size_t &i)
{
    const size_t start = i;
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i - start;
}

} // namespace

bool IsPlainNumber(std::u16string_view text)
{
    size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && text[i] == u' ')
            ++i;
    };
    skipBlanks();
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    size_t digits = SkipDigits(text, i);
    if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
        ++i;
        digits += SkipDigits(text, i);
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (SkipDigits(text, i) == 0)
            return false;
    }
    skipBlanks();
    return i == text.size();
}

EvaluationOutcome EvaluateAtPoint(std::u16string_view functionText, std::u16string_view pointText,
                                  char16_t decimalSeparator)
{
    const CheckResult function = CheckAndTranslate(functionText, true);
    if (function.code > 0)
        return CheckFailure(function, EvaluationOutcome::kFocusFunction);
    const CheckResult point = CheckAndTranslate(pointText, false);
    if (point.code > 0)
        return CheckFailure(point, EvaluationOutcome::kFocusPoint);

    int16_t code = 0;
    const double x0 = Evaluate(point.text, 0, code);
    if (code > 0)
        return Failure(code);

    // From here on x0 is used unrounded; only the texts are rounded.
    const std::u16string pointHint = IsPlainNumber(pointText)
                                         ? Text(kTextPointHint)
                                         : FormatRounded(x0, kEvaluationDecimals, decimalSeparator);

    const double value = Evaluate(function.text, x0, code);
    if (code > 0) {
        EvaluationOutcome outcome = Failure(code);
        outcome.derivativeText = Text(kTextNotDifferentiable);
        outcome.pointHint = pointHint;
        return outcome;
    }

    EvaluationOutcome outcome;
    outcome.pointHint = pointHint;
    outcome.valueText = FormatRounded(value, kEvaluationDecimals, decimalSeparator);
    int16_t flag = 0;
    const double slope = Derivative(function.text, x0, flag);
    outcome.derivativeText = flag != 0
                                 ? Text(kTextNotDifferentiable)
                                 : FormatRounded(slope, kEvaluationDecimals, decimalSeparator);
    return outcome;
}

} // namespace zv

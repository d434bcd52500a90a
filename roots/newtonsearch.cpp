#include "roots/newtonsearch.h"

#include "engine/checkandtranslate.h"
#include "engine/errortext.h"
#include "engine/evaluator.h"
#include "engine/numbertext.h"
#include "engine/utf.h"
#include "roots/newtonsolve.h"
#include "texts/messagetexts.h"

#include <algorithm>

namespace zv {

namespace {

constexpr int kRootDecimals = 6;
constexpr int kTextError = 9;        // "Error"
constexpr int kTextNoRootFound = 16; // "No root has been found."
constexpr int kTextNoRoot = 17;      // "No root."

NewtonOutcome Failure(int16_t code)
{
    NewtonOutcome outcome;
    outcome.valueText = FromUtf8(MessageText(kTextError));
    outcome.errorShown = true;
    outcome.errorText = ErrorText(code);
    return outcome;
}

// A field whose text failed its check gets the focus, the caret right before the faulty token.
NewtonOutcome CheckFailure(const CheckResult &check, NewtonOutcome::Focus field)
{
    NewtonOutcome outcome = Failure(check.code);
    outcome.focus = field;
    outcome.caret = std::max(0, check.position - 2);
    return outcome;
}

} // namespace

NewtonOutcome NewtonFromPoint(std::u16string_view translatedFunction, double x0,
                              char16_t decimalSeparator)
{
    NewtonOutcome outcome;
    int16_t status = 0;
    const double root = NewtonSolve(translatedFunction, x0, status);
    if (status == kNewtonExactRoot || status == kNewtonSettled) {
        outcome.valueText = FormatRounded(root, kRootDecimals, decimalSeparator);
        outcome.rootFound = true;
    } else {
        outcome.valueText = FromUtf8(MessageText(kTextNoRoot));
        outcome.errorShown = true;
        outcome.errorText = MessageText(kTextNoRootFound);
    }
    return outcome;
}

NewtonOutcome NewtonSearch(std::u16string_view functionText, std::u16string_view initialText,
                           char16_t decimalSeparator)
{
    const CheckResult function = CheckAndTranslate(functionText, true);
    if (function.code > 0)
        return CheckFailure(function, NewtonOutcome::kFocusFunction);
    const CheckResult initial = CheckAndTranslate(initialText, false);
    if (initial.code > 0)
        return CheckFailure(initial, NewtonOutcome::kFocusInitialValue);

    int16_t code = 0;
    const double x0 = Evaluate(initial.text, 0, code);
    if (code > 0)
        return Failure(code);
    return NewtonFromPoint(function.text, x0, decimalSeparator);
}

} // namespace zv

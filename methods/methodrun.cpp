#include "methods/methodrun.h"

#include <array>
#include <cstdio>

namespace zv {

bool IsBracketing(Method method)
{
    return method != Method::kSecant && method != Method::kNewton &&
           method != Method::kNewtonMultiplicity;
}

std::string MethodName(const MethodRun &run)
{
    switch (run.method) {
    case Method::kBisection:
        return "bisection";
    case Method::kRegulaFalsi:
        return "regula falsi";
    case Method::kIllinois:
        return "illinois";
    case Method::kSecant:
        return "secant";
    case Method::kNewton:
        return "newton";
    case Method::kNewtonMultiplicity:
        return "newton (multiplicity " + std::to_string(run.multiplicity) + ")";
    case Method::kBrent:
        return "brent";
    case Method::kZerovane:
        return "zerovane";
    }
    return {};
}

std::string StatusWord(const MethodRun &run)
{
    switch (run.stop) {
    case StopReason::kConverged:
        return "converged";
    case StopReason::kNoSignChange:
        return "no-sign-change";
    case StopReason::kFlatTangent:
        return "flat";
    case StopReason::kCycle:
        return "cycle";
    case StopReason::kLeftDomain:
        return "left-domain";
    case StopReason::kDiverging:
        return "diverging";
    case StopReason::kBudgetSpent:
        return "budget-spent";
    case StopReason::kEvaluationFailed:
        return "failed";
    }
    return {};
}

std::string StopText(const MethodRun &run)
{
    switch (run.stop) {
    case StopReason::kConverged:
        return "converged";
    case StopReason::kNoSignChange:
        return "no sign change";
    case StopReason::kFlatTangent:
        return run.method == Method::kSecant ? "flat chord" : "flat tangent";
    case StopReason::kCycle:
        return "cycle";
    case StopReason::kLeftDomain:
        return "left the domain: " + run.errorText;
    case StopReason::kDiverging:
        return "diverging";
    case StopReason::kBudgetSpent:
        return "budget spent";
    case StopReason::kEvaluationFailed:
        return run.errorText;
    }
    return {};
}

std::string OrderText(const ConvergenceOrder &convergence)
{
    if (!convergence.order)
        return "too few steps";
    std::array<char, 64> text{};
    if (convergence.ratio)
        std::snprintf(text.data(), text.size(), "%.2f (ratio %.3g)", *convergence.order,
                      *convergence.ratio);
    else
        std::snprintf(text.data(), text.size(), "%.2f", *convergence.order);
    return text.data();
}

} // namespace zv

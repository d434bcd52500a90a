#include "methods/convergenceorder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace zv {

namespace {

// The slope of the least-squares line through (u_i, v_i).
double Slope(const std::vector<double> &u, const std::vector<double> &v)
{
    const double n = static_cast<double>(u.size());
    double su = 0, sv = 0, suu = 0, suv = 0;
    for (std::size_t i = 0; i < u.size(); ++i) {
        su += u[i];
        sv += v[i];
        suu += u[i] * u[i];
        suv += u[i] * v[i];
    }
    return (n * suv - su * sv) / (n * suu - su * su);
}

// How far the run's root may itself lie from the true one: the tail of its last steps, taken
// as geometric with the ratio of the last two.
double RootUncertainty(const std::vector<Iterate> &iterates)
{
    const std::size_t n = iterates.size();
    if (n < 3)
        return 0;
    const double last = std::fabs(iterates[n - 1].x - iterates[n - 2].x);
    const double before = std::fabs(iterates[n - 2].x - iterates[n - 3].x);
    const double ratio = before > 0 ? std::min(last / before, kLinearRatioCap) : kLinearRatioCap;
    return last * ratio / (1 - ratio);
}

} // namespace

ConvergenceOrder MeasureOrder(const MethodRun &run)
{
    if (!run.Converged())
        return {};
    const double floor =
        std::max(kTrustedError * RootUncertainty(run.iterates),
                 kRoundingErrors * std::numeric_limits<double>::epsilon() * std::fabs(run.root));
    // log e_k of the trusted errors, by k; NaN for the others.
    std::vector<double> logs;
    for (const Iterate &iterate : run.iterates) {
        const double error = std::fabs(iterate.x - run.root);
        logs.push_back(error > floor && std::isfinite(error) ? std::log(error) : NAN);
    }
    std::vector<double> before, after, steps, trusted;
    for (std::size_t k = 0; k < logs.size(); ++k) {
        if (std::isnan(logs[k]))
            continue;
        steps.push_back(static_cast<double>(k));
        trusted.push_back(logs[k]);
        if (k + 1 < logs.size() && !std::isnan(logs[k + 1])) {
            before.push_back(logs[k]);
            after.push_back(logs[k + 1]);
        }
    }
    if (static_cast<int>(before.size()) < kMinErrorPairs)
        return {};
    // Superlinear convergence shows in the last steps (a run may creep first, as Newton far
    // from a root does); linear convergence is read over all of them, since a bisection's
    // errors jump about from step to step.
    const std::size_t tail = std::min<std::size_t>(before.size(), kTailPairs);
    const auto last = [&](const std::vector<double> &v) {
        return std::vector<double>(v.end() - static_cast<std::ptrdiff_t>(tail), v.end());
    };
    ConvergenceOrder measured;
    measured.order = Slope(last(before), last(after));
    if (*measured.order >= kLinearOrderBelow)
        return measured;
    // A few errors that do not speed up tell no steady ratio: Illinois' halving step, which
    // barely moves the error, can end a short run.
    if (static_cast<int>(before.size()) < kMinLinearPairs)
        return {};
    measured.order = Slope(before, after);
    measured.ratio = std::exp(Slope(steps, trusted));
    return measured;
}

} // namespace zv

#include "roots/newtonsolve.h"

#include "engine/derivative.h"
#include "engine/evaluator.h"
#include "roots/multiplicity.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zv {

namespace {

bool Settled(double step, double x)
{
    return step <= kNewtonSettledStep * std::max(1.0, std::fabs(x));
}

// The step x - m f/f' from the point where plain steps were still steady: near a root of
// multiplicity m it converges fast again until it settles: its step vanishes, f reads exactly
// 0, or the numerical f' loses the root (it reads 0 where f has fallen to the level of
// rounding, or its noise stops the steps from shrinking after they had shrunk well). Returns
// false when it settles on none of these within kNewtonFinishSteps.
bool FinishOnMultipleRoot(std::u16string_view expression, double x, int m, double &root,
                          int16_t &status)
{
    double firstValue = 0; // |f| and the step where the finish starts
    double firstStep = 0;
    double lastStep = 0;
    for (int step = 0; step < kNewtonFinishSteps; ++step) {
        int16_t code = 0;
        int16_t flag = 0;
        const double v = Evaluate(expression, x, code);
        const double d = Derivative(expression, x, flag);
        if (code > 0 || flag != 0)
            return false;
        if (step == 0)
            firstValue = std::fabs(v);
        const double next = x - m * v / d;
        const double moved = std::fabs(next - x);
        bool settled = v == 0 || (d == 0 && std::fabs(v) <= kNewtonRoundingLevel * firstValue);
        if (!settled && d != 0 && step > 0 && !(moved < lastStep)) {
            if (lastStep > kNewtonFinishShrink * firstStep)
                return false;
            settled = true;
        }
        if (settled) {
            root = x;
            status = v == 0 ? kNewtonExactRoot : kNewtonSettled;
            return true;
        }
        if (d == 0 || !std::isfinite(next))
            return false;
        if (step == 0)
            firstStep = moved;
        lastStep = moved;
        x = next;
        if (Settled(moved, x)) {
            root = x;
            status = kNewtonSettled;
            return true;
        }
    }
    return false;
}

} // namespace

double NewtonSolve(std::u16string_view expression, double x0, int16_t &status)
{
    double x = x0;
    // Every point reached, so that a run that ends without a root can be read afterwards.
    std::vector<double> path{x0};
    path.reserve(kNewtonMaxSteps + 1);
    // A plain run that crept towards a multiple root, where f and f' fade together until f'
    // reads 0 or the budget runs out, is finished with the corrected step.
    const auto finish = [&](int16_t failure, double result) {
        double root = 0;
        if (const auto multiple = SteadyLinearSteps(path);
            multiple && FinishOnMultipleRoot(expression, path[multiple->last],
                                             multiple->multiplicity, root, status))
            return root;
        status = failure;
        return result;
    };
    for (int step = 1;; ++step) {
        int16_t code = 0;
        int16_t flag = 0;
        const double v = Evaluate(expression, x, code);
        const double d = Derivative(expression, x, flag);
        if (code > 0 || flag != 0) {
            status = kNewtonFailed;
            return 0;
        }
        // f = 0 is tested first: a root where f' vanishes too (x^2 at 0) is still a root.
        if (v == 0) {
            status = kNewtonExactRoot;
            return x;
        }
        if (d == 0)
            return finish(kNewtonFailed, 0);
        const double next = x - v / d;
        if (!std::isfinite(next)) {
            status = kNewtonArithmetic;
            return 0;
        }
        const double lastStep = std::fabs(next - x);
        x = next;
        path.push_back(x);
        if (step >= kNewtonMaxSteps) {
            // A spent budget is a root only when the iteration has come to rest, not while it
            // wanders (x^2+1) or drifts off (exp(-x)).
            if (Settled(lastStep, x)) {
                status = kNewtonSettled;
                return x;
            }
            return finish(kNewtonNotSettled, x);
        }
    }
}

} // namespace zv

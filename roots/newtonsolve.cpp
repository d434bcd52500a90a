#include "roots/newtonsolve.h"

#include "engine/derivative.h"
#include "engine/evaluator.h"

#include <algorithm>
#include <cmath>

namespace zv {

double NewtonSolve(std::u16string_view expression, double x0, int16_t &status)
{
    double x = x0;
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
        if (d == 0) {
            status = kNewtonFailed;
            return 0;
        }
        const double next = x - v / d;
        if (!std::isfinite(next)) {
            status = kNewtonArithmetic;
            return 0;
        }
        const double lastStep = std::fabs(next - x);
        x = next;
        if (step >= kNewtonMaxSteps) {
            // A spent budget is a root only when the iteration has come to rest, not while it
            // wanders (x^2+1) or drifts off (exp(-x)).
            status = lastStep <= kNewtonSettledStep * std::max(1.0, std::fabs(x))
                         ? kNewtonSettled
                         : kNewtonNotSettled;
            return x;
        }
    }
}

} // namespace zv

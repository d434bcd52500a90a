#include "roots/saferoot.h"

#include <cmath>
#include <utility>

namespace zv {

namespace {

int Sign(double v)
{
    return (v > 0) - (v < 0);
}

bool Finite(double a)
{
    return std::isfinite(a);
}

template<typename... Rest>
bool Finite(double a, Rest... rest)
{
    return std::isfinite(a) && Finite(rest...);
}

} // namespace

double SafeRoot(CountedFunction &f, double x1, double x2, double accuracy, int16_t &status)
{
    status = kSafeRootFound;
    // The caller vouches for a sign change, so the codes of the end values are not looked at:
    // a failed end counts with the value Evaluate gave.
    int16_t code = 0;
    const double fl = f.value(x1, code);
    const double fh = f.value(x2, code);
    if (fl == 0)
        return x1;
    if (fh == 0)
        return x2;
    // From here on f(x1) < 0 < f(x2).
    if (fl > 0)
        std::swap(x1, x2);

    double rts = 0.5 * (x1 + x2);
    double dxold = std::fabs(x2 - x1);
    double dx = dxold;
    if (!Finite(rts, dxold)) {
        status = kSafeRootArithmeticFault;
        return x1;
    }

    int16_t flag = 0;
    double fv = f.value(rts, code);
    double df = f.slope(rts, flag);
    if (code > 0 || flag != 0) {
        status = kSafeRootEvaluationFailed;
        return rts;
    }

    for (int iteration = 0; iteration < kSafeRootMaxIterations; ++iteration) {
        const double slopeReach = dxold * df;
        const double fromLow = (rts - x1) * df - fv;
        const double fromHigh = (rts - x2) * df - fv;
        if (!Finite(slopeReach, fromLow, fromHigh)) {
            status = kSafeRootArithmeticFault;
            return rts;
        }
        // Newton only when its point stays inside the bracket and the step shrinks fast enough.
        const bool newton =
            std::fabs(slopeReach) >= std::fabs(2 * fv) && Sign(fromLow) * Sign(fromHigh) <= 0;
        if (newton) {
            dxold = dx;
            // df = 0 passes the test above only when f is 0 too: rts is then the root.
            dx = df == 0 ? 0 : fv / df;
            const double previous = rts;
            rts -= dx;
            if (!Finite(dx, rts)) {
                status = kSafeRootArithmeticFault;
                return previous;
            }
            if (rts == previous)
                return rts;
        } else {
            dxold = dx;
            dx = 0.5 * (x2 - x1);
            const double previous = rts;
            rts = x1 + dx;
            if (!Finite(dx, rts)) {
                status = kSafeRootArithmeticFault;
                return previous;
            }
            if (rts == x1)
                return rts;
        }
        if (std::fabs(dx) < accuracy)
            return rts;

        fv = f.value(rts, code);
        df = f.slope(rts, flag);
        if (code > 0 || flag != 0) {
            status = kSafeRootEvaluationFailed;
            return rts;
        }
        if (fv < 0)
            x1 = rts;
        else
            x2 = rts;
    }
    status = kSafeRootNotConverged;
    return rts;
}

double SafeRoot(std::u16string_view expression, double x1, double x2, double accuracy,
                int16_t &status)
{
    CountedFunction f(expression);
    return SafeRoot(f, x1, x2, accuracy, status);
}

} // namespace zv

#include "roots/derivativezero.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace zv {

namespace {

int Sign(double v)
{
    return (v > 0) - (v < 0);
}

} // namespace

double DerivativeZero(CountedFunction &f, double a, double b, int16_t &status)
{
    // The end slopes are taken as they come: a failed one is 0, and the search still runs.
    int16_t flag = 0;
    double da = f.slope(a, flag);
    double db = f.slope(b, flag);

    double m = 0;
    for (int iteration = 0; iteration < kDerivativeZeroMaxIterations; ++iteration) {
        const double previous = m;
        if (std::fabs(da - db) < kDerivativeZeroSlopeGap)
            m = (a + b) / 2;
        else
            m = (da * b - db * a) / (da - db); // where the chord through the end slopes is 0
        if (!std::isfinite(m)) {
            status = kDerivativeZeroArithmetic;
            return 0;
        }
        // The same trial point again puts the same end in the same place: the search can no
        // longer move, and the iterations left would all return this point. Stopping here
        // spares them (most searches settle within 20 of the 50) with the same outcome.
        // (Compared as bits, so that 0 and -0 count as different points.)
        if (iteration > 0 && std::bit_cast<uint64_t>(m) == std::bit_cast<uint64_t>(previous))
            break;
        const double dm = f.slope(m, flag);
        if (flag != 0) {
            status = kDerivativeZeroFailed;
            return 0;
        }
        if (dm == 0) {
            status = kDerivativeZeroFound;
            return m;
        }
        if (Sign(da) * Sign(dm) < 0) {
            b = m;
            db = dm;
        } else {
            a = m;
            da = dm;
        }
    }
    // No exact zero met: the caller judges the last trial point by f there.
    status = kDerivativeZeroBudgetSpent;
    return m;
}

double DerivativeZero(std::u16string_view expression, double a, double b, int16_t &status)
{
    CountedFunction f(expression);
    return DerivativeZero(f, a, b, status);
}

} // namespace zv

#include "engine/derivative.h"

#include "engine/errortext.h"
#include "engine/evaluator.h"

#include <cmath>

namespace zv {

double Derivative(std::u16string_view expression, double x, int16_t &flag, long *evaluations,
                  int16_t *failure)
{
    static constexpr int kOffsets[4] = {-2, -1, 1, 2};
    double f[4];
    for (int i = 0; i < 4; ++i) {
        const double point = static_cast<double>(kOffsets[i]) * kDerivativeStep + x;
        if (!std::isfinite(point)) {
            flag = 1;
            if (failure)
                *failure = kOverflow;
            return 0;
        }
        int16_t code = 0;
        f[i] = Evaluate(expression, point, code);
        if (evaluations)
            ++*evaluations;
        if (code > 0) {
            flag = 1;
            if (failure)
                *failure = code;
            return 0;
        }
    }
    // An overflow anywhere in the formula leaves a non-finite result.
    const double d = (((f[0] - 8 * f[1]) + 8 * f[2]) - f[3]) * kDerivativeScale;
    if (!std::isfinite(d)) {
        flag = 1;
        if (failure)
            *failure = kOverflow;
        return 0;
    }
    flag = 0;
    return d;
}

} // namespace zv

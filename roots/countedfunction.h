#pragma once

#include "engine/derivative.h"
#include "engine/evaluator.h"

#include <cmath>
#include <cstdint>
#include <string_view>

namespace zv {

// f of a translated expression for the root searches, counting every evaluation made. The
// slope is the five-point difference of Derivative taken through value(), so that a failing
// point stops it after the evaluations really made; the arithmetic is that of Derivative, and
// the tests hold the two to the same bits.
class CountedFunction
{
public:
    explicit CountedFunction(std::u16string_view expression)
        : m_expression(expression)
    {
    }

    double value(double x, int16_t &code)
    {
        ++m_evaluations;
        return Evaluate(m_expression, x, code);
    }

    // flag 0: computed; 1: a point failed or the formula overflowed (the result is then 0).
    double slope(double x, int16_t &flag)
    {
        static constexpr int kOffsets[4] = {-2, -1, 1, 2};
        double f[4];
        for (int i = 0; i < 4; ++i) {
            const double point = static_cast<double>(kOffsets[i]) * kDerivativeStep + x;
            if (!std::isfinite(point)) {
                flag = 1;
                return 0;
            }
            int16_t code = 0;
            f[i] = value(point, code);
            if (code > 0) {
                flag = 1;
                return 0;
            }
        }
        const double d = (((f[0] - 8 * f[1]) + 8 * f[2]) - f[3]) * kDerivativeScale;
        if (!std::isfinite(d)) {
            flag = 1;
            return 0;
        }
        flag = 0;
        return d;
    }

    std::u16string_view expression() const { return m_expression; }
    long evaluations() const { return m_evaluations; }

private:
    std::u16string_view m_expression;
    long m_evaluations = 0;
};

} // namespace zv

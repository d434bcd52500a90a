#pragma once

#include "engine/derivative.h"
#include "engine/evaluator.h"

#include <cstdint>
#include <string_view>

namespace zv {

// f of a translated expression for the root searches, counting every evaluation made, those
// of its derivatives included.
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

    // Derivative of f at x, its evaluations counted. flag 0: computed; 1: a point failed or
    // the formula overflowed (the result is then 0).
    double slope(double x, int16_t &flag)
    {
        return Derivative(m_expression, x, flag, &m_evaluations);
    }

    std::u16string_view expression() const { return m_expression; }
    long evaluations() const { return m_evaluations; }

private:
    std::u16string_view m_expression;
    long m_evaluations = 0;
};

} // namespace zv

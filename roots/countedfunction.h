#pragma once

#include "engine/derivative.h"
#include "engine/evaluator.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace zv {

// One value of f that a search asked for.
struct FunctionSample
{
    double x = 0.0;
    double value = 0.0;
    int16_t code = 0; // the evaluation's error code; the value counts only with 0
};

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
        const double v = Evaluate(m_expression, x, code);
        if (code > 0)
            m_fault = code;
        if (m_trace)
            m_trace->push_back({x, v, code});
        return v;
    }

    // Derivative of f at x, its evaluations counted. flag 0: computed; 1: a point failed or
    // the formula overflowed (the result is then 0).
    double slope(double x, int16_t &flag)
    {
        return Derivative(m_expression, x, flag, &m_evaluations, &m_fault);
    }

    // From now on every value asked for (not the points of a derivative) is appended to trace,
    // so that a caller can follow a search that reports only its end; nullptr stops it.
    void Trace(std::vector<FunctionSample> *trace) { m_trace = trace; }

    std::u16string_view expression() const { return m_expression; }
    long evaluations() const { return m_evaluations; }
    // The error code of the last evaluation that failed, a derivative's included; 0: none yet.
    int16_t fault() const { return m_fault; }

private:
    std::u16string_view m_expression;
    long m_evaluations = 0;
    int16_t m_fault = 0;
    std::vector<FunctionSample> *m_trace = nullptr;
};

} // namespace zv

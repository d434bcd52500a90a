#pragma once

#include "methods/methodrun.h"
#include "roots/countedfunction.h"

#include <optional>

namespace zv {

// Builds one MethodRun as a method works: evaluates f through the engine, counting every
// evaluation, records the iterates and states why the method stopped. A failed evaluation
// ends the run with the error's text.
class RunRecorder
{
public:
    RunRecorder(std::u16string_view expression, Method method, double a, double b,
                double tolerance);

    CountedFunction &function() { return m_f; }
    MethodRun &run() { return m_run; }
    double tolerance() const { return m_tolerance; }

    // f at x, or nothing after ending the run: at a point the method was given (start) the
    // failure is kEvaluationFailed; a point it computed is kept as an iterate without a value,
    // and a domain fault there is kLeftDomain.
    std::optional<double> Value(double x, bool start = false);
    // f' at x (four evaluations), or nothing after ending the run as Value does.
    std::optional<double> Slope(double x, bool start = false);

    // Appends an iterate (numbered on from the last); the bracket is for bracketing methods.
    Iterate &Add(double x, double fx);
    Iterate &Add(double x, double fx, double lo, double hi);

    // Whether a step of this size onto x meets the tolerance.
    bool WithinTolerance(double step, double x) const;
    // Whether the latest iterate repeats a cycle of the ones before it, or the iterates have
    // been moving away from [a; b] for kDivergingSteps steps.
    bool Cycling() const;
    bool Diverging() const;

    // Ends the run: the reason, and the point reached (a root when converged); measures the
    // order of convergence.
    MethodRun Finish(StopReason reason, double x);
    // Ends the run after Value or Slope failed, keeping the reason they gave.
    MethodRun Failure(double x);

    // Records a failed evaluation's reason and text, as Value does.
    void Fail(int16_t code, bool start = false);

private:
    CountedFunction m_f;
    MethodRun m_run;
    double m_a;
    double m_b;
    double m_tolerance;
};

} // namespace zv

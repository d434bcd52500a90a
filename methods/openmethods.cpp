#include "methods/openmethods.h"

#include "methods/methodlimits.h"
#include "methods/runrecorder.h"
#include "roots/multiplicity.h"
#include "roots/newtonsolve.h"

#include <cmath>
#include <vector>

namespace zv {

namespace {

// The checks after a step onto x; nothing when the method goes on. `settling` tells whether a
// step within tolerance means convergence.
std::optional<StopReason> AfterStep(const RunRecorder &rec, double x, double fx, double step,
                                    bool settling = true)
{
    if (fx == 0 || (settling && rec.WithinTolerance(step, x)))
        return StopReason::kConverged;
    if (rec.Cycling())
        return StopReason::kCycle;
    if (rec.Diverging())
        return StopReason::kDiverging;
    return std::nullopt;
}

// The multiplicity that a plain Newton run's errors against its last point show: the latest
// stretch where they shrank by a steady ratio, within the interval's width of that point (far
// off, Newton on x^10 - 1 creeps by 0.9 as if towards a tenfold root at 0).
int DiagnoseMultiplicity(const MethodRun &run, double width)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i + 1 < run.iterates.size(); ++i) {
        const double error = run.iterates[i].x - run.root;
        ratios.push_back(std::fabs(error) <= width ? (run.iterates[i + 1].x - run.root) / error
                                                   : NAN);
    }
    const auto multiple = SteadyRatios(ratios, true);
    return multiple ? multiple->multiplicity : 0;
}

} // namespace

double SecantSecondPoint(double a, double b, double x0)
{
    return std::fabs(b - x0) >= std::fabs(x0 - a) ? b : a;
}

MethodRun Secant(std::u16string_view expression, double a, double b, double tolerance, double x0,
                 double x1)
{
    RunRecorder rec(expression, Method::kSecant, a, b, tolerance);
    const auto f0 = rec.Value(x0, true);
    if (!f0)
        return rec.Failure(x0);
    rec.Add(x0, *f0);
    if (*f0 == 0)
        return rec.Finish(StopReason::kConverged, x0);
    const auto f1 = rec.Value(x1, true);
    if (!f1)
        return rec.Failure(x1);
    rec.Add(x1, *f1);
    rec.run().starts = 2;
    if (*f1 == 0)
        return rec.Finish(StopReason::kConverged, x1);

    double previous = x0;
    double fPrevious = *f0;
    double x = x1;
    double fx = *f1;
    for (int step = 1; step <= kMaxSteps; ++step) {
        if (fx == fPrevious)
            return rec.Finish(StopReason::kFlatTangent, x);
        const double next = x - fx * (x - previous) / (fx - fPrevious);
        if (!std::isfinite(next))
            return rec.Finish(StopReason::kDiverging, x);
        const auto value = rec.Value(next);
        if (!value)
            return rec.Failure(next);
        rec.Add(next, *value);
        const double moved = std::fabs(next - x);
        // A short step counts only along a short chord: from a point far off where f is huge,
        // the chord is almost vertical and steps almost nowhere, far from any root.
        const bool settling = std::fabs(x - previous) <= b - a;
        previous = x;
        fPrevious = fx;
        x = next;
        fx = *value;
        if (const auto reason = AfterStep(rec, x, fx, moved, settling))
            return rec.Finish(*reason, x);
    }
    return rec.Finish(StopReason::kBudgetSpent, x);
}

MethodRun Newton(std::u16string_view expression, double a, double b, double tolerance, double x0,
                 int multiplicity)
{
    RunRecorder rec(expression, multiplicity > 1 ? Method::kNewtonMultiplicity : Method::kNewton, a,
                    b, tolerance);
    rec.run().multiplicity = multiplicity;
    const auto f0 = rec.Value(x0, true);
    if (!f0)
        return rec.Failure(x0);
    rec.Add(x0, *f0);
    rec.run().starts = 1;

    const auto finish = [&](StopReason reason, double x) {
        MethodRun run = rec.Finish(reason, x);
        if (multiplicity == 1)
            run.diagnosedMultiplicity = DiagnoseMultiplicity(run, b - a);
        return run;
    };
    double x = x0;
    double fx = *f0;
    if (fx == 0)
        return finish(StopReason::kConverged, x);
    for (int step = 1; step <= kMaxSteps; ++step) {
        const auto slope = rec.Slope(x, step == 1);
        if (!slope)
            return finish(rec.run().stop, x);
        // f' reads 0 also where f has fallen to the level of rounding at a multiple root: the
        // points of the derivative no longer tell the root from x.
        if (*slope == 0)
            return finish(std::fabs(fx) <= kNewtonRoundingLevel * std::fabs(*f0)
                              ? StopReason::kConverged
                              : StopReason::kFlatTangent,
                          x);
        const double next = x - multiplicity * fx / *slope;
        if (!std::isfinite(next))
            return finish(StopReason::kDiverging, x);
        const auto value = rec.Value(next);
        if (!value)
            return finish(rec.run().stop, next);
        rec.Add(next, *value);
        const double moved = std::fabs(next - x);
        x = next;
        fx = *value;
        if (const auto reason = AfterStep(rec, x, fx, moved))
            return finish(*reason, x);
    }
    return finish(StopReason::kBudgetSpent, x);
}

} // namespace zv

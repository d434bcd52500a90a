#include "methods/bracketing.h"

#include "engine/errortext.h"
#include "methods/methodlimits.h"
#include "methods/runrecorder.h"
#include "roots/saferoot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace zv {

namespace {

bool SameSign(double u, double v)
{
    return (u > 0) == (v > 0);
}

// Evaluates the ends; ends the run when one fails, is a root, or f does not change sign.
std::optional<MethodRun> CheckEnds(RunRecorder &rec, double a, double b, double &fa, double &fb)
{
    const auto va = rec.Value(a, true);
    if (!va)
        return rec.Failure(a);
    const auto vb = rec.Value(b, true);
    if (!vb)
        return rec.Failure(b);
    fa = rec.run().fa = *va;
    fb = rec.run().fb = *vb;
    if (fa == 0)
        return rec.Finish(StopReason::kConverged, a);
    if (fb == 0)
        return rec.Finish(StopReason::kConverged, b);
    if (SameSign(fa, fb))
        return rec.Finish(StopReason::kNoSignChange, NAN);
    return std::nullopt;
}

// Bisection, regula falsi and Illinois differ only in the point they take inside the bracket
// and in Illinois' halving.
MethodRun ShrinkBracket(std::u16string_view expression, Method method, double a, double b,
                        double tolerance)
{
    RunRecorder rec(expression, method, a, b, tolerance);
    double lo = a;
    double hi = b;
    double flo = 0;
    double fhi = 0;
    if (auto done = CheckEnds(rec, a, b, flo, fhi))
        return *done;
    enum { kNone, kLow, kHigh } lastMoved = kNone;
    double previous = NAN;
    for (int step = 1; step <= kMaxSteps; ++step) {
        const double x = method == Method::kBisection ? lo + 0.5 * (hi - lo)
                                                      : hi - fhi * (hi - lo) / (fhi - flo);
        // No double left between the ends (or the chord rounds onto one): nothing to shrink.
        if (!(x > lo && x < hi))
            return rec.Finish(StopReason::kConverged, std::fabs(flo) <= std::fabs(fhi) ? lo : hi);
        const auto fx = rec.Value(x);
        if (!fx)
            return rec.Failure(x);
        if (SameSign(*fx, flo)) {
            lo = x;
            flo = *fx;
            if (method == Method::kIllinois && lastMoved == kLow)
                fhi *= 0.5;
            lastMoved = kLow;
        } else {
            hi = x;
            fhi = *fx;
            if (method == Method::kIllinois && lastMoved == kHigh)
                flo *= 0.5;
            lastMoved = kHigh;
        }
        rec.Add(x, *fx, lo, hi);
        if (*fx == 0 || rec.WithinTolerance(hi - lo, x) ||
            (step > 1 && rec.WithinTolerance(std::fabs(x - previous), x)))
            return rec.Finish(StopReason::kConverged, x);
        previous = x;
    }
    return rec.Finish(StopReason::kBudgetSpent, previous);
}

} // namespace

MethodRun Bisection(std::u16string_view expression, double a, double b, double tolerance)
{
    return ShrinkBracket(expression, Method::kBisection, a, b, tolerance);
}

MethodRun RegulaFalsi(std::u16string_view expression, double a, double b, double tolerance)
{
    return ShrinkBracket(expression, Method::kRegulaFalsi, a, b, tolerance);
}

MethodRun Illinois(std::u16string_view expression, double a, double b, double tolerance)
{
    return ShrinkBracket(expression, Method::kIllinois, a, b, tolerance);
}

MethodRun Brent(std::u16string_view expression, double a, double b, double tolerance)
{
    RunRecorder rec(expression, Method::kBrent, a, b, tolerance);
    double fa = 0;
    double fb = 0;
    if (auto done = CheckEnds(rec, a, b, fa, fb))
        return *done;
    constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
    // b is the best point so far, c the one across the root from it, a the previous b.
    double c = b;
    double fc = fb;
    double d = b - a;
    double e = d;
    for (int step = 1; step <= kMaxSteps + 1; ++step) {
        if (SameSign(fb, fc)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double reach = 2 * kEpsilon * std::fabs(b) + 0.5 * tolerance;
        const double half = 0.5 * (c - b);
        if (std::fabs(half) <= reach || fb == 0)
            return rec.Finish(StopReason::kConverged, b);
        if (step > kMaxSteps)
            break;
        if (std::fabs(e) >= reach && std::fabs(fa) > std::fabs(fb)) {
            // Interpolation: the secant through a and b, or inverse quadratic through a, b, c.
            const double s = fb / fa;
            double p;
            double q;
            if (a == c) {
                p = 2 * half * s;
                q = 1 - s;
            } else {
                const double qa = fa / fc;
                const double r = fb / fc;
                p = s * (2 * half * qa * (qa - r) - (b - a) * (r - 1));
                q = (qa - 1) * (r - 1) * (s - 1);
            }
            if (p > 0)
                q = -q;
            p = std::fabs(p);
            // Taken only when it stays well inside the bracket and shrinks fast enough.
            if (2 * p < std::min(3 * half * q - std::fabs(reach * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = half;
                e = d;
            }
        } else {
            d = half;
            e = d;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > reach ? d : std::copysign(reach, half);
        const auto value = rec.Value(b);
        if (!value)
            return rec.Failure(b);
        fb = *value;
        const double across = SameSign(fb, fc) ? a : c;
        rec.Add(b, fb, std::min(b, across), std::max(b, across));
    }
    return rec.Finish(StopReason::kBudgetSpent, b);
}

MethodRun ZerovaneSearch(std::u16string_view expression, double a, double b, double tolerance)
{
    RunRecorder rec(expression, Method::kZerovane, a, b, tolerance);
    double fa = 0;
    double fb = 0;
    if (auto done = CheckEnds(rec, a, b, fa, fb))
        return *done;

    // SafeRoot reports only its end; its values, followed on the way, are the iterates.
    CountedFunction f(expression);
    std::vector<FunctionSample> trace;
    f.Trace(&trace);
    int16_t status = 0;
    const double root = SafeRoot(f, a, b, tolerance, status);
    // Its bracket, as it keeps it: the end where f < 0 and the end where f >= 0.
    double negative = fa < 0 ? a : b;
    double positive = fa < 0 ? b : a;
    MethodRun &run = rec.run();
    for (std::size_t i = 2; i < trace.size(); ++i) {
        const FunctionSample &sample = trace[i];
        if (sample.code > 0) {
            rec.Add(sample.x, NAN);
            break;
        }
        (sample.value < 0 ? negative : positive) = sample.x;
        rec.Add(sample.x, sample.value, std::min(negative, positive), std::max(negative, positive));
    }
    if (status == kSafeRootFound && (run.iterates.empty() || run.iterates.back().x != root))
        rec.Add(root, NAN);
    if (status == kSafeRootEvaluationFailed)
        rec.Fail(f.fault());
    else if (status == kSafeRootArithmeticFault)
        rec.Fail(kOverflow);
    const StopReason reason = status == kSafeRootFound          ? StopReason::kConverged
                              : status == kSafeRootNotConverged ? StopReason::kBudgetSpent
                                                                : run.stop;
    run = rec.Finish(reason, root);
    run.evaluations = f.evaluations();
    return run;
}

} // namespace zv

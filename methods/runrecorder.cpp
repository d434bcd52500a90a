#include "methods/runrecorder.h"

#include "engine/errortext.h"
#include "methods/convergenceorder.h"
#include "methods/methodlimits.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zv {

namespace {

// The faults of a function's own domain (ln, r, tg, arcsin, arccos), as opposed to a division
// by zero or an overflow.
bool DomainFault(int16_t code)
{
    return code >= kLnDomain && code <= kArccosDomain;
}

double Distance(double x, double a, double b)
{
    return x < a ? a - x : x > b ? x - b : 0.0;
}

} // namespace

RunRecorder::RunRecorder(std::u16string_view expression, Method method, double a, double b,
                         double tolerance)
    : m_f(expression)
    , m_a(a)
    , m_b(b)
    , m_tolerance(tolerance)
{
    m_run.method = method;
}

void RunRecorder::Fail(int16_t code, bool start)
{
    m_run.stop =
        !start && DomainFault(code) ? StopReason::kLeftDomain : StopReason::kEvaluationFailed;
    m_run.errorText = ErrorText(code);
}

std::optional<double> RunRecorder::Value(double x, bool start)
{
    int16_t code = 0;
    const double v = m_f.value(x, code);
    if (code <= 0)
        return v;
    Fail(code, start);
    // The point the method reached, to be seen where it failed.
    if (!start)
        Add(x, NAN);
    return std::nullopt;
}

std::optional<double> RunRecorder::Slope(double x, bool start)
{
    int16_t flag = 0;
    const double d = m_f.slope(x, flag);
    if (flag == 0)
        return d;
    // f itself was computed at x already: the failure lies beside it, or is an overflow.
    Fail(m_f.fault(), start);
    return std::nullopt;
}

Iterate &RunRecorder::Add(double x, double fx)
{
    // The open methods' start is x0; the bracketing methods start from [a; b] and number
    // their first new point 1.
    const int first = IsBracketing(m_run.method) ? 1 : 0;
    const int k = m_run.iterates.empty() ? first : m_run.iterates.back().k + 1;
    m_run.iterates.push_back(Iterate{k, x, fx, std::nullopt, std::nullopt});
    return m_run.iterates.back();
}

Iterate &RunRecorder::Add(double x, double fx, double lo, double hi)
{
    Iterate &iterate = Add(x, fx);
    iterate.lo = lo;
    iterate.hi = hi;
    return iterate;
}

bool RunRecorder::WithinTolerance(double step, double x) const
{
    return step <= m_tolerance ||
           step <= kRoundingUnits * std::numeric_limits<double>::epsilon() * std::fabs(x);
}

bool RunRecorder::Cycling() const
{
    const auto &points = m_run.iterates;
    const auto n = static_cast<int>(points.size());
    // A whole period seen twice: the last two points each come back to the point p before
    // them, within tolerance and far closer than the cycle is wide (near a root whose
    // derivative is lost in rounding, the iterates dither within a few tolerances instead).
    for (int p = 2; p <= kMaxCyclePeriod && n - 2 - p >= 0; ++p) {
        double least = HUGE_VAL;
        double most = -HUGE_VAL;
        for (int i = n - 1 - p; i < n; ++i) {
            least = std::min(least, points[i].x);
            most = std::max(most, points[i].x);
        }
        const auto returns = [&](int i) {
            const double gap = std::fabs(points[i].x - points[i - p].x);
            return WithinTolerance(gap, points[i].x) && gap <= kCycleTightness * (most - least);
        };
        if (returns(n - 1) && returns(n - 2))
            return true;
    }
    return false;
}

bool RunRecorder::Diverging() const
{
    const auto &points = m_run.iterates;
    const auto n = static_cast<int>(points.size());
    if (n < kDivergingSteps + 1)
        return false;
    for (int i = n - kDivergingSteps; i < n; ++i)
        if (!(Distance(points[i].x, m_a, m_b) > Distance(points[i - 1].x, m_a, m_b)) ||
            Distance(points[i - 1].x, m_a, m_b) == 0)
            return false;
    return Distance(points[n - 1].x, m_a, m_b) > m_b - m_a;
}

MethodRun RunRecorder::Failure(double x)
{
    return Finish(m_run.stop, x);
}

MethodRun RunRecorder::Finish(StopReason reason, double x)
{
    m_run.stop = reason;
    m_run.root = x;
    m_run.evaluations = m_f.evaluations();
    m_run.convergence = MeasureOrder(m_run);
    return m_run;
}

} // namespace zv

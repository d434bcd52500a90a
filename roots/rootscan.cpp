#include "roots/rootscan.h"

#include "engine/numbertext.h"
#include "roots/countedfunction.h"
#include "roots/derivativezero.h"
#include "roots/saferoot.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zv {

namespace {

constexpr int kListDecimals = 6;
// f at a touching point counts as 0 when it rounds to 0 at this many decimals.
constexpr int kTouchDecimals = 12;
// The scan takes this many steps per drawing step; the derivative is sampled every such step.
constexpr int kStepsPerPrecision = 5;

// value rounded as the number texts round it (decimals, then 15 significant digits).
double Rounded(double value, int decimals)
{
    double rounded = value;
    ReadNumberText(FormatRounded(value, decimals, u'.'), u'.', rounded);
    return rounded;
}

// The list of roots as the window shows it: rounded, in the order found, each value once.
class RootList
{
public:
    RootList(RootScanResult &result, char16_t separator)
        : m_result(result)
        , m_separator(separator)
    {
    }

    void add(double root)
    {
        const double rounded = Rounded(root, kListDecimals);
        // A root on a scan point, or found by both tests, must not show twice.
        if (std::find(m_result.roots.begin(), m_result.roots.end(), rounded) !=
            m_result.roots.end())
            return;
        m_result.roots.push_back(rounded);
        m_result.lines.push_back(FormatRounded(root, kListDecimals, m_separator));
    }

private:
    RootScanResult &m_result;
    char16_t m_separator;
};

// A sign change between xp and x (ends with f values yp and y): the bracket's root is listed
// only when SafeRoot converged, f is defined at the rounded root, and |f| at the root is
// smaller than at the larger end and not above the smaller one, which a pole or a jump with a
// sign change never gives. (An end that is itself the root, up to rounding, equals it.)
// |f| at the root is the smaller of |f| at r and at the rounded r that the list shows: SafeRoot
// stops within its accuracy, so a scan point that drifted to within 1e-13 of a round root
// (0.99999999999994 for 1) can hold a smaller |f| than r itself, while the rounded value hits
// the root.
void RefineSignChange(CountedFunction &f, double xp, double yp, double x, double y, RootList &list)
{
    int16_t status = 0;
    const double r = SafeRoot(f, xp, x, kScanAccuracy, status);
    if (status != kSafeRootFound)
        return;
    int16_t code = 0;
    const double atRounded = std::fabs(f.value(Rounded(r, kListDecimals), code));
    if (code > 0)
        return;
    const double atRoot = std::fabs(f.value(r, code));
    if (code > 0)
        return;
    const double residual = std::min(atRoot, atRounded);
    const double smallerEnd = std::min(std::fabs(yp), std::fabs(y));
    const double largerEnd = std::max(std::fabs(yp), std::fabs(y));
    if (residual <= smallerEnd && residual < largerEnd)
        list.add(r);
}

// The sampled derivative changed sign between the fifth points `from` and `to`: a point where
// f' is 0 inside that bracket is a root when f there is 0 to 12 decimals.
void SearchTouchingRoot(CountedFunction &f, double from, double to, RootList &list)
{
    int16_t status = 0;
    const double point = DerivativeZero(f, from, to, status);
    int16_t code = 0;
    const double fr = f.value(point, code);
    const bool inside = point > std::min(from, to) && point < std::max(from, to);
    if (inside && code == 0 && Rounded(fr, kTouchDecimals) == 0)
        list.add(point);
}

} // namespace

RootScanResult ScanForRoots(std::u16string_view expression, double a, double b, int precision,
                            char16_t decimalSeparator, const KeepScanning &keepGoing)
{
    RootScanResult result;
    // The step count is a 16-bit product; a precision that cannot give one scans nothing.
    if (precision < 1 || precision > std::numeric_limits<int16_t>::max() / kStepsPerPrecision)
        return result;
    const int16_t steps = static_cast<int16_t>(kStepsPerPrecision * precision);
    const double h = (b - a) / steps;
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(h))
        return result;

    CountedFunction f(expression);
    RootList list(result, decimalSeparator);

    double x = a - 2 * h;
    double y = 0;
    int16_t flag = 0;
    // The slope one step before the first point seeds dp; the first touching test, at i = 5,
    // compares the slopes at i = 0 and i = 5.
    double d = f.slope(x, flag);
    double lastFifth = x; // the scan point where d was last sampled

    // From a - h to b + h, so that a root less than one step outside [a; b] is seen too.
    for (int i = -1; i <= steps + 1; ++i) {
        const double xp = x;
        const double yp = y;
        x = x + h;
        int16_t code = 0;
        y = f.value(x, code);
        bool failed = code > 0;
        if (!failed)
            result.anyValue = true;
        else if (result.firstFailure == 0)
            result.firstFailure = code;

        const bool fifth = i % kStepsPerPrecision == 0; // not for i = -1
        const double dp = d;
        const double bracketStart = lastFifth;
        if (fifth) {
            d = f.slope(x, flag);
            lastFifth = x;
            // A failed f is not hidden by a derivative that could be taken around it.
            failed = failed || flag != 0;
        }
        if (!failed) {
            // A root exactly on the previous point was listed there.
            if (yp != 0) {
                if (y == 0)
                    list.add(x);
                else if ((yp < 0) != (y < 0))
                    RefineSignChange(f, xp, yp, x, y, list);
            }

            if (fifth && i >= kStepsPerPrecision && dp != 0 && (dp < 0) != (d < 0))
                SearchTouchingRoot(f, bracketStart, x, list);
        }

        const bool last = i == steps + 1;
        if (!last && keepGoing && !keepGoing()) {
            result.stopped = true;
            break;
        }
    }
    result.evaluations = f.evaluations();
    return result;
}

} // namespace zv

#include "tools/methodoverlays.h"

#include <cmath>

namespace zv {

namespace {

bool HasValue(const Iterate &iterate)
{
    return std::isfinite(iterate.fx);
}

// The line through a point of the curve and the point where it meets the axis.
PlotOverlay::Line ToAxis(double x, double fx, double zero)
{
    return {x, fx, zero, 0.0};
}

} // namespace

QString MethodCaption(const MethodRun &run)
{
    QString name = QString::fromStdString(MethodName(run));
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

std::vector<PlotOverlay> MethodOverlays(const MethodRun &run, double a, double b)
{
    std::vector<PlotOverlay> overlays;
    const auto &points = run.iterates;
    const int steps = run.Steps();
    // The bracket before the first step, and the point the first chord starts from.
    double lo = a;
    double hi = b;
    Iterate previous{0, b, run.fb, std::nullopt, std::nullopt};
    for (int i = run.starts; i < static_cast<int>(points.size()); ++i) {
        const Iterate &next = points[static_cast<std::size_t>(i)];
        PlotOverlay overlay;
        overlay.caption = QStringLiteral("%1: step %2 of %3")
                              .arg(MethodCaption(run))
                              .arg(i - run.starts + 1)
                              .arg(steps);
        switch (run.method) {
        case Method::kNewton:
        case Method::kNewtonMultiplicity: {
            // The tangent at the last point; with the corrected step x - m f/f' the next point
            // lies m times as far as the tangent's zero.
            const Iterate &from = points[static_cast<std::size_t>(i - 1)];
            const double tangentZero = from.x - (from.x - next.x) / std::max(1, run.multiplicity);
            overlay.lines.push_back(ToAxis(from.x, from.fx, tangentZero));
            overlay.points.push_back({from.x, from.fx});
            break;
        }
        case Method::kSecant: {
            const Iterate &older = points[static_cast<std::size_t>(i - 2)];
            const Iterate &from = points[static_cast<std::size_t>(i - 1)];
            overlay.lines.push_back({older.x, older.fx, from.x, from.fx});
            overlay.points.push_back({older.x, older.fx});
            overlay.points.push_back({from.x, from.fx});
            break;
        }
        case Method::kRegulaFalsi:
        case Method::kIllinois:
            // The chord meets the axis at the new point; the last point reached lies on it
            // (Illinois halves f only at the end that stays).
            if (HasValue(previous))
                overlay.lines.push_back(ToAxis(previous.x, previous.fx, next.x));
            [[fallthrough]];
        default:
            overlay.bracket = PlotOverlay::Bracket{lo, hi};
            break;
        }
        overlay.points.push_back({next.x, 0.0});
        if (HasValue(next))
            overlay.points.push_back({next.x, next.fx});
        overlays.push_back(std::move(overlay));
        if (next.lo && next.hi) {
            lo = *next.lo;
            hi = *next.hi;
        }
        previous = next;
    }
    return overlays;
}

} // namespace zv

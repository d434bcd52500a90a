#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace zv {

// Marks drawn over a graph window's curve to show one step of a numerical method, in the
// window's world coordinates (the units of the equation). Handed from the window that computes
// the steps to a graph window through the main window, as GraphEquation is.
struct PlotOverlay
{
    // The bracket [lo; hi] that a bracketing method keeps after the step: shaded over the whole
    // height of the plot.
    struct Bracket
    {
        double lo = 0.0;
        double hi = 0.0;
    };
    // A straight line through two points (a tangent, a chord), drawn across the whole plot.
    struct Line
    {
        double x1 = 0.0;
        double y1 = 0.0;
        double x2 = 0.0;
        double y2 = 0.0;
    };
    // A point of the step: the iterate on the curve, where a line meets the axis.
    struct Point
    {
        double x = 0.0;
        double y = 0.0;
    };

    std::optional<Bracket> bracket;
    std::vector<Line> lines;
    std::vector<Point> points;
    QString caption; // one line, such as "Newton: step 3 of 6"; empty for none

    bool IsEmpty() const
    {
        return !bracket && lines.empty() && points.empty() && caption.isEmpty();
    }
};

} // namespace zv

#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace zv {

struct WorldPoint
{
    double x = 0.0;
    double y = 0.0;
};

// The drawable part of a curve: unbroken pieces (a piece of one point is a single pixel), and
// the extent of the points drawn. The extent starts at the opposite ends of the view, so a
// curve with no drawable point keeps minX = b, maxX = a, minY = yMax, maxY = yMin.
struct SampledCurve
{
    std::vector<std::vector<WorldPoint>> pieces;
    double minX = 0.0;
    double maxX = 0.0;
    double minY = 0.0;
    double maxY = 0.0;
};

// f(x) with its error code; code 0 means the value may be used.
using CurveFunction = std::function<double(double x, int16_t &code)>;

// Samples f at precision + 1 points from a, the abscissa accumulated step by step (so the last
// one may miss b by rounding). A point that fails or lies outside [yMin; yMax] breaks the curve:
// no piece ever spans it.
SampledCurve SampleCurve(const CurveFunction &f, double a, double b, double yMin, double yMax,
                         int precision);

// True when the drawn part spans less than 1/80 of the interval's width or of the vertical
// range, so the user would see practically nothing.
bool CurveTooSmall(const SampledCurve &curve, double a, double b, double yMin, double yMax);

// The vertical range fitted to f: the least and the greatest value over the points that
// SampleCurve takes, failed points left out, written to lo and hi. When no point can be
// evaluated the pair comes back empty, marked by lo > hi (the greater of the two values passed
// in, then the lesser); a drawing over such a range shows no curve.
void FitVerticalRange(const CurveFunction &f, double a, double b, int precision, double &lo,
                      double &hi);

} // namespace zv

#include "graph/curvesampling.h"

#include <cmath>

namespace zv {

SampledCurve SampleCurve(const CurveFunction &f, double a, double b, double yMin, double yMax,
                         int precision)
{
    SampledCurve curve;
    curve.minX = b;
    curve.maxX = a;
    curve.minY = yMax;
    curve.maxY = yMin;
    if (precision < 1) {
        return curve;
    }

    const double step = (b - a) / precision;
    double x = a - step;
    bool drawing = false;
    for (int i = 0; i <= precision; ++i) {
        x = x + step;
        int16_t code = 0;
        const double y = f(x, code);
        if (code != 0 || !(yMin <= y && y <= yMax)) {
            drawing = false;
            continue;
        }
        // The "otherwise" branches mirror how the extent has always been kept: with a single
        // visible point only the minimum moves.
        if (x < curve.minX) {
            curve.minX = x;
        } else if (x > curve.maxX) {
            curve.maxX = x;
        }
        if (y < curve.minY) {
            curve.minY = y;
        } else if (y > curve.maxY) {
            curve.maxY = y;
        }
        if (!drawing) {
            curve.pieces.emplace_back();
            drawing = true;
        }
        curve.pieces.back().push_back({x, y});
    }
    return curve;
}

bool CurveTooSmall(const SampledCurve &curve, double a, double b, double yMin, double yMax)
{
    if (80.0 * std::fabs(curve.maxX - curve.minX) < std::fabs(b - a)) {
        return true;
    }
    return 80.0 * std::fabs(curve.maxY - curve.minY) < std::fabs(yMax - yMin);
}

void FitVerticalRange(const CurveFunction &f, double a, double b, int precision, double &lo,
                      double &hi)
{
    // Empty until a sample comes in, whichever way round the pair was passed.
    double least = std::fmax(lo, hi);
    double greatest = std::fmin(lo, hi);
    bool sampled = false;
    const int steps = precision < 1 ? -1 : precision; // no points without a precision
    const double step = (b - a) / precision;
    double x = a - step;
    for (int i = 0; i <= steps; ++i) {
        x = x + step;
        int16_t code = 0;
        const double y = f(x, code);
        if (code != 0) {
            continue;
        }
        if (!sampled) {
            least = greatest = y;
            sampled = true;
        }
        least = std::fmin(least, y);
        greatest = std::fmax(greatest, y);
    }
    lo = least;
    hi = greatest;
}

} // namespace zv

#include "graph/readablecolours.h"

#include <algorithm>
#include <cmath>

namespace zv {

namespace {

double RelativeLuminance(const QColor &colour)
{
    const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

} // namespace

double ContrastRatio(const QColor &one, const QColor &other)
{
    const double a = RelativeLuminance(one);
    const double b = RelativeLuminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor ReadableText(const QColor &preferred, const QColor &background)
{
    if (ContrastRatio(preferred, background) >= kTextContrast)
        return preferred;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}

} // namespace zv

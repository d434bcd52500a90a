#pragma once

#include <QColor>

namespace zv {

// WCAG's contrast ratio of two colours: 1 for equal ones, 21 for black and white.
double ContrastRatio(const QColor &one, const QColor &other);

// WCAG AA's floor for ordinary text.
inline constexpr double kTextContrast = 4.5;

// The text colour to write on background: preferred when it reads well enough there, otherwise
// black or white, whichever reads better (one of the two always clears the floor).
QColor ReadableText(const QColor &preferred, const QColor &background);

} // namespace zv

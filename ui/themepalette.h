#pragma once

#include "ui/themecolours.h"

#include <QColor>
#include <QPalette>

class QWidget;

namespace zv {

// How far apart two colours must be: text from what is behind it (WCAG AA), and a mark that is
// no text (a focus frame, the block of a selection) from what surrounds it.
inline constexpr double kTextContrast = 4.5;
inline constexpr double kMarkContrast = 3.0;

// WCAG's contrast ratio of two opaque colours: 1 for equal ones, 21 for black and white.
double ContrastRatio(const QColor &one, const QColor &other);

// The theme's pair as the windows show it: when the text does not stand out enough from the
// background, the background is made deeper (or paler) in its own hue, so that "Blue :q)"
// stays white on blue; a text that no background suits gives way to black or white.
ThemeColours ReadableColours(const ThemeColours &colours);

// The frame that the style draws around the control with the focus: a deeper shade of the
// highlight colour (Fusion's rule), which must stand out from what is behind the control.
QColor FocusFrameColour(const QColor &highlight);

// A selection on `behind`: the highlight moved in lightness until its block and the focus
// frame drawn from it stand out from `behind`, and a text on it that reads (`text` when it
// does, else black or white).
struct Selection
{
    QColor highlight;
    QColor text;
};
Selection ReadableSelection(const QColor &highlight, const QColor &text, const QColor &behind);

// The colours of a "lst" control: the theme's pair, and the selection the other way round
// (the text colour as its block, the background as its text), which stands out from the
// list in every theme, however close the theme's background is to the desktop's highlight.
void SetListColours(QWidget *list, const ThemeColours &colours);

// A palette whose texts read on their grounds, and whose selection and focus frames stand out
// from the window (ReadableColours, ReadableSelection); only the roles it changes are set.
QPalette ReadablePalette(const QPalette &palette);

} // namespace zv

#pragma once

#include <QColor>

class QWidget;

namespace zv {

// The theme in force as colours, with the system colour 13 resolved to the palette's
// Highlight. Before the stored theme is read these are theme 4's colours.
QColor BackgroundColor();
QColor ForegroundColor();

// Colours one window by its controls' object-name prefixes (case-insensitive): the window
// background, "lbl" text, "lst" text and background, "fra" background; others untouched.
void ApplyThemeByPrefix(QWidget *window);

} // namespace zv

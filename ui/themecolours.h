#pragma once

#include <QColor>

class QWidget;

namespace zv {

// The theme's two colours as a window uses them: backgrounds of the window, lists and frames,
// and the text of labels and lists. Whoever applies a theme hands them to the windows.
struct ThemeColours
{
    QColor background;
    QColor foreground;
};

// Colours one window by its controls' object-name prefixes (case-insensitive): the window
// background, "lbl" text, "lst" text and background, "fra" background; others untouched.
// Windows nested inside it (graph windows of a main window, dialogs) are left to themselves.
void ApplyThemeByPrefix(QWidget *window, const ThemeColours &colours);

} // namespace zv

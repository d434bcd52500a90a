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
// Every colour goes with the text drawn on it: a themed surface takes the theme's text colour
// and a selection and focus frame that stand out from it, a list's selection stands out from
// the list, and a pair that does not read is made readable (ReadableColours). A field the user
// cannot edit takes a shade of the background, so that it looks read-only. Tool bars, menu and
// status bars and tabs keep the desktop's colours whole. Windows nested inside it (graph
// windows of a main window, dialogs) are left to themselves.
void ApplyThemeByPrefix(QWidget *window, const ThemeColours &colours);

} // namespace zv

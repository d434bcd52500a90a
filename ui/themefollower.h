#pragma once

#include "ui/themecolours.h"

class QWidget;

namespace zv {

// Colours window by its controls' name prefixes (ApplyThemeByPrefix) now and again each time it
// becomes active: as a window of its own, or as a child window inside a multiple-document
// area. Calling it again replaces the colours it keeps.
void FollowTheme(QWidget *window, const ThemeColours &colours);

} // namespace zv

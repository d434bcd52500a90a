#pragma once

#include "ui/themecolours.h"

#include <QColor>
#include <QString>
#include <cstdint>

namespace zv {

class GraphWindow;

// The theme in force as the colours a window is given, system colours resolved from the
// application's palette (it follows the desktop's) and made readable (ReadableColours). Before
// the stored theme is read these are theme 4's colours.
ThemeColours CurrentThemeColours();

// Colour values as the settings keep them: 0x00BBGGRR below 0x80000000, or 0x80000000 plus the
// number of a system colour, read as a signed 32-bit value.
inline constexpr int32_t kSystemColorFlag = INT32_MIN;
inline constexpr int32_t kSystemHighlight = kSystemColorFlag + 13; // -2147483635
inline constexpr int32_t kSystemFace = kSystemColorFlag + 15;      // dialogs' ground
inline constexpr int32_t kSystemFaceText = kSystemColorFlag + 18;  // text on it
// The five themes of the menu's design, then "System", which follows the desktop.
inline constexpr int kThemeCount = 6;

struct Theme
{
    int32_t background;
    int32_t foreground;
};

// Theme 1..6 as listed in Options, Background; theme 4 for any other number.
Theme ThemeColors(int theme);

// The theme in force: read by LoadAppearanceSettings, changed only by ChooseTheme.
int32_t &Background();
int32_t &Foreground();
int16_t &ForeItem(); // 1..6, or whatever number the settings held

// A colour value as a QColor; system colours come from the application palette.
QColor ColorFromValue(int32_t value);

// A stored text as the settings reader takes it: the longest leading number, rounded to the
// nearest integer (ties to even). Returns false when the text has no leading number or its
// number does not fit in `bits` (16 or 32) bits; `value` is then left as it was.
bool ReadStoredInteger(const QString &text, int bits, int32_t &value);

// The stored form of a value: decimal, a leading blank when not negative (" 15711881").
QString StoredIntegerText(int32_t value);

// Reads "Background", "Foreground" and "ForeItem" from the settings, with the defaults of a
// first start. Colours whose text could not be read on their background give way to the
// colours of the stored theme (theme 4 for a number without one). A settings file that cannot
// be read leaves the defaults; the returned text then says so for the user, else it is empty.
QString LoadAppearanceSettings();

// Makes theme k the one in force and writes the three keys. Returns false, and changes and
// writes nothing, when k is already in force or is not a theme number. When the keys cannot be
// written the theme is still in force for this session, and `failure` gets the reason, unless
// it is the unreadable file that LoadAppearanceSettings has already reported.
bool ChooseTheme(int k, QString *failure = nullptr);

// Hands the theme in force to every open window, to apply now and whenever it becomes active:
// the main window, each graph window and the wizard inside it and every other visible
// top-level window.
void ApplyThemeToAllWindows();

// Colours a graph window: the rules of every window (ApplyThemeByPrefix), then its own.
void ColourGraphWindow(GraphWindow *window, const ThemeColours &colours);

} // namespace zv

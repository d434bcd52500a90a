#pragma once

class QPainterPath;

namespace zv {

// The product's name as the plot's backdrop shows it: the outline of "Zerovane" in DejaVu Sans
// Bold Oblique at 15 pixels, its origin on the baseline where the word starts. Kept as an
// outline rather than drawn as text, so that no picture has to load a second font for it (about
// 1.5 ms of a batch export's 45), and so that it is crisp at any scale and a path in vector
// files.
const QPainterPath &LogoOutline();

// The word's advance and the font's descent, in pixels: the line box it was set in.
inline constexpr double kLogoAdvance = 10170 / 128.0;
inline constexpr double kLogoDescent = 452 / 128.0;

} // namespace zv

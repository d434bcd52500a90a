#pragma once

namespace zv {

// Makes the style draw the focus of a button, tab or list item as a dotted frame in the
// control's own text colour, which reads on its face in every theme (Fusion's faint shade of
// the highlight vanishes on a ground of that colour). Installed once, over the style in use.
void ShowFocusClearly();

} // namespace zv

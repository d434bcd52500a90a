#pragma once

namespace zv {

// Whether the windows have somewhere to go: a platform chosen through QT_QPA_PLATFORM other
// than X11, a Wayland session, or an X server that answers at $DISPLAY. Asked before Qt is
// started, since Qt aborts the process when its platform cannot connect.
bool DisplayAvailable();

} // namespace zv

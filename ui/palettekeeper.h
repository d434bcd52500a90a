#pragma once

#include <functional>

class QObject;

namespace zv {

// Keeps the application's palette readable (ReadablePalette: some desktops' selections put
// white text on a pale highlight), now and after every change of the desktop's colours, and
// after each change calls `changed`, so that the windows take their theme's colours again
// (some themes follow the desktop). Lives as long as owner.
void KeepPaletteReadable(QObject *owner, std::function<void()> changed);

} // namespace zv

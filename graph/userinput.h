#pragma once

#include <QEvent>

namespace zv {

// Events by which the user asks for something (clicks, keys, wheel, touch, drops): dropped while
// a window is busy, so that no command starts inside the work and none is left queued after it.
// Pointer moves only ask when `withPointerMoves` is set.
bool IsUserInput(QEvent::Type type, bool withPointerMoves);

} // namespace zv

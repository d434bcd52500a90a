#pragma once

#include <QCursor>

namespace zv {

// The process-wide cursor pictures that a graph window shows over the edge bands of its plot,
// by number: 101 arrow down, 102 left, 103 right, 104 up, 105 up and right, 106 up and left,
// 107 down and right, 108 down and left. 16 x 16, hot spot in the middle.
inline constexpr int kFirstCursorIcon = 101;
inline constexpr int kLastCursorIcon = 108;

// Loads the eight pictures, 101 to 108 in that order, from the program's resources, at the
// screen's pixel density. Start-up does this once; a picture that cannot be read stays the arrow.
void LoadCursorIcons();

// The cursor with picture `number`; the plain arrow for any other number or before loading.
QCursor CursorIcon(int number);

} // namespace zv

#pragma once

namespace zv {

// Registers the program's own pictures (resources/graph.qrc: the cursor pictures and the graph
// window's tool bar images) under ":/cursors" and ":/toolbar". They are compiled into a static
// library, whose registration would otherwise be dropped by the linker. Safe to call again.
void InitPictureResources();

} // namespace zv

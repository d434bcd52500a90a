#pragma once

#include <QString>

namespace zv {

// The View section of the settings file: whether graph windows carry the grid and scale
// (key Grid, "true" or "false"; off when absent or unreadable).
bool ReadGridShown();
// Writes the key through the settings file's one writer. Returns an empty string, or the
// system's description of the failure.
QString StoreGridShown(bool shown);

} // namespace zv

#pragma once

#include <QIcon>
#include <QString>

namespace zv {

// The graph window's tool bar pictures from the program's resources, by key: imgzoomin,
// imgzoomout, imghome, imgsave, imgeval, imgredim, imghelp, imgcanopy. Each comes with a
// twice-as-dense twin for high-density screens. An unknown key gives an empty icon.
QIcon ToolbarImage(const QString &key);

inline constexpr int kToolbarImageSize = 24;

} // namespace zv

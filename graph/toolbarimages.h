#pragma once

#include <QPixmap>
#include <QString>

namespace zv {

// The graph window's tool bar pictures, drawn rather than shipped, by key: imgzoomin,
// imgzoomout, imghome, imgsave, imgeval, imgredim, imghelp, imgcanopy. An unknown key gives
// an empty (transparent) picture.
QPixmap ToolbarImage(const QString &key);

inline constexpr int kToolbarImageSize = 24;

} // namespace zv

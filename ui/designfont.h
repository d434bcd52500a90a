#pragma once

#include <QFont>
#include <QString>

namespace zv {

// The font the windows' layout was drawn for, asked for by family name ("Tahoma", "Arial",
// "MS Sans Serif"), at the point size given, so that it grows with the screen's scale; where
// neither the family nor a font made with its metrics is installed in outlines, the system
// font at that size.
QFont DesignFont(const QString &family, qreal pointSize);

} // namespace zv

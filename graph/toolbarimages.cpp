#include "graph/toolbarimages.h"

#include "ui/pictureresources.h"

#include <QFile>

namespace zv {

QIcon ToolbarImage(const QString &key)
{
    InitPictureResources();
    const QString path = QStringLiteral(":/toolbar/") + key + QStringLiteral(".png");
    // QIcon takes the "@2x" twin beside the file by itself.
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

} // namespace zv

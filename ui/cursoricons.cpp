#include "ui/cursoricons.h"

#include "ui/pictureresources.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <array>

namespace zv {

namespace {

constexpr int kCursorSize = 16;

std::array<QCursor, kLastCursorIcon - kFirstCursorIcon + 1> &CursorIcons()
{
    static std::array<QCursor, kLastCursorIcon - kFirstCursorIcon + 1> icons;
    return icons;
}

} // namespace

void LoadCursorIcons()
{
    InitPictureResources();
    const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
    for (int number = kFirstCursorIcon; number <= kLastCursorIcon; ++number) {
        // QIcon picks the sharper "@2x" picture on a high-density screen.
        const QIcon picture(QStringLiteral(":/cursors/%1.png").arg(number));
        const QPixmap pixmap = picture.pixmap(QSize(kCursorSize, kCursorSize), ratio);
        CursorIcons()[number - kFirstCursorIcon] =
            pixmap.isNull() ? QCursor(Qt::ArrowCursor) : QCursor(pixmap);
    }
}

QCursor CursorIcon(int number)
{
    if (number < kFirstCursorIcon || number > kLastCursorIcon)
        return QCursor(Qt::ArrowCursor);
    return CursorIcons()[number - kFirstCursorIcon];
}

} // namespace zv

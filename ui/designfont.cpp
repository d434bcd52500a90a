#include "ui/designfont.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace zv {

namespace {

// Debian's fonts-wine puts its Tahoma and MS Sans Serif here, outside the folders that the
// font configuration searches, so the program registers them itself.
const char *const kWineFontFolder = "/usr/share/wine/fonts";
const char *const kWineFontFiles[] = {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"};

void RegisterWineFonts()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    const QDir folder{QString::fromLatin1(kWineFontFolder)};
    for (const char *file : kWineFontFiles) {
        const QString path = folder.filePath(QLatin1String(file));
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
}

// Fonts drawn to the same metrics, tried after the family itself. MS Sans Serif is drawn in
// pixels at a few sizes only; its outline successors take its place.
QStringList SameMetrics(const QString &family)
{
    if (family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
    if (family.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma")};
    return {};
}

} // namespace

QFont DesignFont(const QString &family, qreal pointSize)
{
    RegisterWineFonts();
    QFont font = QApplication::font();
    QStringList candidates{family};
    candidates << SameMetrics(family);
    for (const QString &candidate : candidates) {
        // A font of pixels at fixed sizes comes out tiny and spaced apart on a screen of a
        // higher scale: only fonts drawn in outlines are taken.
        if (QFontDatabase::hasFamily(candidate) && QFontDatabase::isSmoothlyScalable(candidate)) {
            font.setFamilies({candidate});
            break;
        }
    }
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace zv

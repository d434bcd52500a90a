#include "shell/viewsettings.h"

#include "shell/settingsfile.h"

#include <QSettings>

namespace zv {

namespace {

const char *const kViewGroup = "View";
const char *const kGridKey = "Grid";

} // namespace

bool ReadGridShown()
{
    QSettings settings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane"));
    settings.beginGroup(QLatin1String(kViewGroup));
    return settings.value(QLatin1String(kGridKey))
               .toString()
               .trimmed()
               .compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString StoreGridShown(bool shown)
{
    return StoreSettings(kViewGroup, {{kGridKey, shown ? "true" : "false"}});
}

} // namespace zv

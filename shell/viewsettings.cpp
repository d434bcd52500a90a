#include "shell/viewsettings.h"

#include "shell/settingsfile.h"
#include "shell/storedsettings.h"

#include <QString>

namespace zv {

namespace {

const char *const kViewGroup = "View";
const char *const kGridKey = "Grid";

} // namespace

bool ReadGridShown()
{
    const QString value =
        QString::fromStdString(StoredSettings().Value(kViewGroup, kGridKey, "false"));
    return value.trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString StoreGridShown(bool shown)
{
    return StoreSettings(kViewGroup, {{kGridKey, shown ? "true" : "false"}});
}

} // namespace zv

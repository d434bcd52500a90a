#include "ui/pictureresources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace.
static void RegisterGraphPictures()
{
    Q_INIT_RESOURCE(graph);
}

namespace zv {

void InitPictureResources()
{
    static const bool registered = (RegisterGraphPictures(), true);
    (void)registered;
}

} // namespace zv

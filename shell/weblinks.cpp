#include "shell/weblinks.h"

#include "ui/messagebox.h"
#include "ui/messagetextq.h"

#include <QDesktopServices>
#include <QMenu>
#include <QUrl>

namespace zv {

std::array<WebPage, 2> BuiltWebPages()
{
    return {WebPage{"mnusite", "Zerovane &Online", QStringLiteral(ZV_HOMEPAGE_URL)},
            WebPage{"mnudownload", "&Download", QStringLiteral(ZV_DOWNLOAD_URL)}};
}

void AddWebPageEntries(QMenu *menu, std::span<const WebPage> pages, QWidget *parent)
{
    for (const WebPage &page : pages) {
        QAction *entry = menu->addAction(QString::fromUtf8(page.caption));
        entry->setObjectName(QLatin1String(page.name));
        // A build without the address has nothing to open: no entry that does nothing.
        entry->setVisible(!page.address.isEmpty());
        QObject::connect(entry, &QAction::triggered, parent, [address = page.address, parent] {
            if (!QDesktopServices::openUrl(QUrl(address)))
                ShowMessage(parent, QStringLiteral("No web browser could open %1").arg(address),
                            MessageTextQ(9), MessageIcon::Exclamation);
        });
    }
}

} // namespace zv

#pragma once

#include <QString>
#include <array>
#include <span>

class QMenu;
class QWidget;

namespace zv {

// A page that a Help menu entry opens in the user's web browser: the entry's control name, its
// caption and the page's address, empty when the build names none.
struct WebPage
{
    const char *name;
    const char *caption;
    QString address;
};

// "Zerovane Online" and "Download" with the addresses given when building (the CMake cache
// variables ZV_HOMEPAGE_URL and ZV_DOWNLOAD_URL, empty by default).
std::array<WebPage, 2> BuiltWebPages();

// Adds an entry to menu for each page, shown only when the page has an address. Choosing one
// opens the page in the user's browser, or says in a box over parent that no browser could.
void AddWebPageEntries(QMenu *menu, std::span<const WebPage> pages, QWidget *parent);

} // namespace zv

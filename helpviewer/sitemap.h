#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zv {

// One page that a contents or index entry leads to.
struct SitemapLink
{
    std::string title; // the topic's own name where the entry names several, else empty
    std::string local; // the page, as written in the sitemap
};

// One entry of a contents (.hhc) or index (.hhk) sitemap: its text, how deep it stands in the
// nested lists (0 at the top), and the pages it leads to (none for a heading).
struct SitemapEntry
{
    std::string name;
    int depth = 0;
    std::vector<SitemapLink> links;
};

// Reads the entries of a sitemap in document order: every <OBJECT type="text/sitemap"> with
// its "Name" and "Local" parameters, the depth taken from the <UL> lists around it. Tag and
// parameter names are compared without regard to case; character references in values are
// decoded to UTF-8. Takes any text and never fails: what it cannot read it skips.
std::vector<SitemapEntry> ParseSitemap(std::string_view html);

} // namespace zv

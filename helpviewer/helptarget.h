#pragma once

#include <string>
#include <string_view>

namespace zv {

// A place inside the help file: the page as a path from the file's root ("/aprox.html") and
// an anchor on it (empty for the top of the page).
struct HelpTarget
{
    std::string path;
    std::string fragment;
};

// The place that a topic name, a sitemap entry or a link inside the help file names. Relative
// names are taken from the folder of basePage. "aprox.html", "/aprox.html",
// "ms-its:Readme.chm::/aprox.html" and "mk:@MSITStore:Readme.chm::/aprox.html" all name
// "/aprox.html"; backslashes count as slashes, "." and ".." are resolved (never above the
// root), "%20" and the like are decoded, and a query ("?...") is dropped. An empty path ("#a")
// names basePage itself.
HelpTarget ResolveHelpTarget(std::string_view link, std::string_view basePage = "/");

// Whether link leaves the help file: a web or mail address, for the user's browser.
bool IsExternalHelpLink(std::string_view link);

} // namespace zv

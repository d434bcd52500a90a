#include "helpviewer/helptarget.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(HelpTarget, NamesThePageFromTheRootAndItsAnchor)
{
    // The link from the page base, then the page's path and the anchor.
    const std::tuple<const char *, const char *, const char *, const char *, const char *> rows[] =
        {
            {"a topic name", "mg.html", "/", "/mg.html", ""},
            {"from the root", "/aprox.html", "/sub/page.html", "/aprox.html", ""},
            {"relative to the page's folder", "pic.png", "/sub/page.html", "/sub/pic.png", ""},
            {"up a folder", "../a.html#x", "/sub/page.html", "/a.html", "x"},
            {"never above the root", "../../../a.html", "/page.html", "/a.html", ""},
            {"dots and double slashes", "./b//./c.html", "/", "/b/c.html", ""},
            {"backslashes", "sub\\d.html", "/", "/sub/d.html", ""},
            {"an anchor on the same page", "#errors", "/expresie.html", "/expresie.html", "errors"},
            {"a query is dropped", "a.html?x=1#y", "/", "/a.html", "y"},
            {"percent-encoded blanks", "my%20page.html#a%20b", "/", "/my page.html", "a b"},
            {"a bad percent sign stays", "100%.html", "/", "/100%.html", ""},
            {"ms-its form", "ms-its:Readme.chm::/eval.htm#top", "/", "/eval.htm", "top"},
            {"mk:@MSITStore form", "mk:@MSITStore:C:\\x\\Readme.chm::/newton.html", "/",
             "/newton.html", ""},
            {"ms-its without a page", "ms-its:Readme.chm", "/", "/", ""},
            {"a folder names no page", "sub/", "/", "/sub/", ""},
            {"nothing at all", "", "/", "/", ""},
        };
    for (const auto &[name, link, base, path, fragment] : rows) {
        const HelpTarget target = ResolveHelpTarget(link, base);
        EXPECT_EQ(target.path + '#' + target.fragment, std::string(path) + '#' + fragment) << name;
    }
}

TEST(HelpTarget, OnlyWebAndMailAddressesLeaveTheFile)
{
    for (const char *link :
         {"http://example.org", "HTTPS://example.org/a", "mailto:a@b.c", "ftp://example.org"})
        EXPECT_TRUE(IsExternalHelpLink(link)) << link;
    for (const char *link : {"mg.html", "ms-its:Readme.chm::/mg.html", "/http.html", "javascript:x",
                             "file:///etc/passwd", ""})
        EXPECT_FALSE(IsExternalHelpLink(link)) << link;
}

} // namespace
} // namespace zv

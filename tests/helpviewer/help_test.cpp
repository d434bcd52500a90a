#include "helpviewer/helpbook.h"
#include "helpviewer/helptarget.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <strings.h>

namespace zv {
namespace {

std::set<std::string> Matches(const std::string &page, const std::regex &pattern)
{
    std::set<std::string> found;
    for (std::sregex_iterator it(page.begin(), page.end(), pattern), end; it != end; ++it)
        found.insert((*it)[1]);
    return found;
}

// The window, the caption, the contents and the first page as the viewer shows them are the
// viewer's test; here what it cannot see: every link of the contents, the index and the pages
// leads to a page of the file and to an anchor that the page has (a broken link in the help is a
// fault like any other), and the index is in order and names every topic a window opens.
TEST(HelpBook, EveryLinkOfTheHelpLeadsSomewhereAndTheIndexNamesEveryTopic)
{
    const HelpBook book = OpenHelpBook(ZV_HELP_FILE, "win");
    ASSERT_EQ(book.status, ChmReadStatus::kOk);
    EXPECT_EQ(book.archive.Find("/MG.HTML"), book.archive.Find("/mg.html")); // as help files are
    const auto check = [&](const std::string &link, const std::string &from) {
        if (IsExternalHelpLink(link))
            return;
        const HelpTarget target = ResolveHelpTarget(link, from);
        const std::string *page = book.archive.Find(target.path);
        ASSERT_NE(page, nullptr) << link << " in " << from;
        static const std::regex anchor(R"re(<a name="([^"]+)")re");
        if (!target.fragment.empty()) {
            EXPECT_EQ(Matches(*page, anchor).count(target.fragment), 1u) << link << " in " << from;
        }
    };
    for (const SitemapEntry &entry : book.contents) {
        for (const SitemapLink &link : entry.links)
            check(link.local, "/");
    }
    std::set<std::string> indexed;
    for (size_t i = 0; i < book.index.size(); ++i) {
        ASSERT_EQ(book.index[i].links.size(), 1u) << book.index[i].name;
        check(book.index[i].links[0].local, "/");
        indexed.insert(ResolveHelpTarget(book.index[i].links[0].local).path);
        if (i > 0) {
            EXPECT_LT(strcasecmp(book.index[i - 1].name.c_str(), book.index[i].name.c_str()), 0)
                << book.index[i].name;
        }
    }
    EXPECT_GT(book.index.size(), 40u);
    for (const char *topic :
         {"/aprox.html", "/newton.html", "/mg.html", "/eval.htm", "/expresie.html",
          "/index_metode.html", "/projects.html", "/batch.html"})
        EXPECT_EQ(indexed.count(topic), 1u) << topic;

    int pages = 0;
    static const std::regex reference(R"re((?:href|src)="([^"]+)")re");
    for (const std::string &path : book.archive.Paths()) {
        if (path.ends_with(".html") || path.ends_with(".htm")) {
            ++pages;
            for (const std::string &link : Matches(*book.archive.Find(path), reference))
                check(link, path);
        }
    }
    EXPECT_EQ(pages, 10);
}

TEST(HelpBook, FallsBackWhenTheFileLacksWhatItShouldHave)
{
    ChmArchive archive;
    archive.Add("/Start.html", "<html></html>");
    archive.Add("/toc.hhc", R"(<UL><OBJECT type="text/sitemap"><param name="Name" value="Start">
        <param name="Local" value="Start.html"></OBJECT></UL>)");
    const HelpBook book = DescribeHelpBook(archive, ChmReadStatus::kOk, "win");
    EXPECT_EQ(book.window.name + "|" + book.caption + "|" + book.home, "||Start.html");
    EXPECT_EQ(book.contents.size(), 1u);
    EXPECT_TRUE(book.index.empty());

    const HelpBook nothing = DescribeHelpBook(ChmArchive(), ChmReadStatus::kDamaged, "win");
    EXPECT_TRUE(nothing.contents.empty());
    EXPECT_EQ(nothing.home, "");
}

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

// Each entry as "depth:name>local|local" (">" only when it has links; a titled link as
// "title=local").
std::vector<std::string> Describe(const std::vector<SitemapEntry> &entries)
{
    std::vector<std::string> lines;
    for (const SitemapEntry &entry : entries) {
        std::string line = std::to_string(entry.depth) + ":" + entry.name;
        for (size_t i = 0; i < entry.links.size(); ++i) {
            line += i == 0 ? ">" : "|";
            if (!entry.links[i].title.empty())
                line += entry.links[i].title + "=";
            line += entry.links[i].local;
        }
        lines.push_back(line);
    }
    return lines;
}

TEST(Sitemap, ReadsEntriesWithTheirDepthAndPages)
{
    const std::tuple<const char *, const char *, std::vector<std::string>> rows[] = {
        {"nested lists give the depth",
         R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Book"></OBJECT>
            <UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Page">
            <param name="Local" value="page.html"></OBJECT></UL>
            <LI><OBJECT type="text/sitemap"><param name="Name" value="Next">
            <param name="Local" value="next.html#a"></OBJECT></UL>)",
         {"0:Book", "1:Page>page.html", "0:Next>next.html#a"}},
        {"tags, attributes and parameter names in any case",
         R"(<ul><li><object TYPE="Text/Sitemap"><PARAM NAME="name" VALUE="A">)"
         R"(<Param Name="LOCAL" Value="a.html"></object></ul>)",
         {"0:A>a.html"}},
        {"single quotes and bare values",
         R"(<UL><OBJECT type=text/sitemap><param name='Name' value='It is'>)"
         R"(<param name=Local value=b.html></OBJECT></UL>)",
         {"0:It is>b.html"}},
        {"character references are decoded",
         R"(<UL><OBJECT type="text/sitemap"><param name="Name" value="Newton&#39;s &amp; co )"
         R"(&lt;x&gt; &#x3C0; &bogus; &"></OBJECT></UL>)",
         {"0:Newton's & co <x> \xCF\x80 &bogus; &"}},
        {"other objects and comments are left out",
         R"(<OBJECT type="text/site properties"><param name="Name" value="no"></OBJECT>
            <!-- <OBJECT type="text/sitemap"><param name="Name" value="hidden"></OBJECT> -->
            <UL><OBJECT type="text/sitemap"><param name="Name" value="yes"></OBJECT></UL>)",
         {"0:yes"}},
        {"an index keyword with several titled pages",
         R"(<UL><OBJECT type="text/sitemap"><param name="Name" value="root">
            <param name="Name" value="Methods"><param name="Local" value="m.html">
            <param name="Name" value="Newton"><param name="Local" value="n.html"></OBJECT></UL>)",
         {"0:root>Methods=m.html|Newton=n.html"}},
        {"an object left open at the end still counts",
         R"(<UL><OBJECT type="text/sitemap"><param name="Name" value="cut">)",
         {"0:cut"}},
        {"surplus closing lists do not go below the top",
         R"(</UL></UL><OBJECT type="text/sitemap"><param name="Name" value="top"></OBJECT>)",
         {"0:top"}},
        {"a parameter without a value is skipped",
         R"(<OBJECT type="text/sitemap"><param name="Name"><param name="Name" value="v"></OBJECT>)",
         {"0:v"}},
        {"a comment left open hides the rest",
         R"(<OBJECT type="text/sitemap"><param name="Name" value="a"></OBJECT><!-- <OBJECT)",
         {"0:a"}},
        {"no sitemap at all", "plain text, <b>no</b> objects", {}},
    };
    for (const auto &[name, html, entries] : rows)
        EXPECT_EQ(Describe(ParseSitemap(html)), entries) << name;
}

} // namespace
} // namespace zv

#include "helpviewer/sitemap.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

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
        {"no sitemap at all", "plain text, <b>no</b> objects", {}},
    };
    for (const auto &[name, html, entries] : rows)
        EXPECT_EQ(Describe(ParseSitemap(html)), entries) << name;
}

TEST(Sitemap, EveryCutOfASitemapIsReadWithoutFault)
{
    const std::string html =
        R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="A &amp; B">)"
        R"(<param name="Local" value="a.html"></OBJECT><!-- c --><UL><LI><OBJECT )"
        R"(type='text/sitemap'><param name=Name value=x></OBJECT></UL></UL>)";
    for (size_t length = 0; length <= html.size(); ++length) {
        const auto entries = ParseSitemap(std::string_view(html).substr(0, length));
        EXPECT_LE(entries.size(), 2u) << length;
    }
    EXPECT_EQ(Describe(ParseSitemap(html)), (std::vector<std::string>{"0:A & B>a.html", "1:x"}));
}

} // namespace
} // namespace zv

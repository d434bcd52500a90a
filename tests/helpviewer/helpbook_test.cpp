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

} // namespace
} // namespace zv

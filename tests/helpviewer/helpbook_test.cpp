#include "helpviewer/helpbook.h"
#include "helpviewer/helptarget.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <strings.h>

namespace zv {
namespace {

const HelpBook &Book()
{
    static const HelpBook book = OpenHelpBook(ZV_HELP_FILE, "win");
    return book;
}

TEST(HelpBook, TheBuiltFileHasTheWindowWinWithItsContentsAndIndex)
{
    const HelpBook &book = Book();
    ASSERT_EQ(book.status, ChmReadStatus::kOk);
    EXPECT_EQ(book.window.name, "win");
    EXPECT_EQ(book.caption, "Zerovane Help");
    EXPECT_TRUE(book.window.hasRect);
    EXPECT_EQ(book.home, "welcome.html");

    // The contents as the viewer shows them are the viewer's test.
    ASSERT_EQ(book.contents.size(), 16u);
    EXPECT_EQ(book.contents[7].name + " " + std::to_string(book.contents[7].depth),
              "The Approximate window 1");

    // The index is in alphabetical order and names every topic a window opens.
    ASSERT_GT(book.index.size(), 40u);
    std::set<std::string> indexedPages;
    for (size_t i = 0; i < book.index.size(); ++i) {
        ASSERT_EQ(book.index[i].links.size(), 1u) << book.index[i].name;
        indexedPages.insert(ResolveHelpTarget(book.index[i].links[0].local).path);
        if (i > 0) {
            EXPECT_LT(strcasecmp(book.index[i - 1].name.c_str(), book.index[i].name.c_str()), 0)
                << book.index[i].name;
        }
    }
    for (const char *topic :
         {"/aprox.html", "/newton.html", "/mg.html", "/eval.htm", "/expresie.html",
          "/index_metode.html", "/projects.html", "/batch.html"})
        EXPECT_EQ(indexedPages.count(topic), 1u) << topic;
}

// Every link of the contents, the index and the pages leads to a page of the file, and to an
// anchor that the page has: a broken link in the help is a fault like any other.
TEST(HelpBook, EveryLinkOfTheHelpLeadsSomewhere)
{
    const HelpBook &book = Book();
    const auto anchorsOf = [&book](const std::string &path) {
        std::set<std::string> anchors;
        const std::string *page = book.archive.Find(path);
        if (page == nullptr)
            return anchors;
        static const std::regex name(R"re(<a name="([^"]+)")re");
        for (std::sregex_iterator it(page->begin(), page->end(), name), end; it != end; ++it)
            anchors.insert((*it)[1]);
        return anchors;
    };
    const auto check = [&](const std::string &link, const std::string &from) {
        if (IsExternalHelpLink(link))
            return;
        const HelpTarget target = ResolveHelpTarget(link, from);
        EXPECT_NE(book.archive.Find(target.path), nullptr) << link << " in " << from;
        if (!target.fragment.empty()) {
            EXPECT_EQ(anchorsOf(target.path).count(target.fragment), 1u) << link << " in " << from;
        }
    };

    for (const auto *sitemap : {&book.contents, &book.index}) {
        for (const SitemapEntry &entry : *sitemap) {
            for (const SitemapLink &link : entry.links)
                check(link.local, "/");
        }
    }
    int pages = 0;
    static const std::regex reference(R"re((?:href|src)="([^"]+)")re");
    for (const std::string &path : book.archive.Paths()) {
        if (path.ends_with(".html") || path.ends_with(".htm")) {
            ++pages;
            const std::string &page = *book.archive.Find(path);
            for (std::sregex_iterator it(page.begin(), page.end(), reference), end; it != end; ++it)
                check((*it)[1], path);
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
    EXPECT_EQ(book.window.name, "");
    EXPECT_EQ(book.caption, "");
    ASSERT_EQ(book.contents.size(), 1u);
    EXPECT_TRUE(book.index.empty());
    EXPECT_EQ(book.home, "Start.html");

    const HelpBook nothing = DescribeHelpBook(ChmArchive(), ChmReadStatus::kDamaged, "win");
    EXPECT_TRUE(nothing.contents.empty());
    EXPECT_EQ(nothing.home, "");
}

} // namespace
} // namespace zv

#include "helpviewer/chmreader.h"
#include "helpviewer/chmsystem.h"
#include "helpviewer/helpbook.h"
#include "helpviewer/helptarget.h"

#include "tests/support/cases.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <strings.h>
#include <sys/stat.h>

namespace zv {
namespace {

using namespace std::string_literals;

const std::string kHelpFile = test::ReadFile(ZV_HELP_FILE);

// Reads bytes as a help file, made `size` bytes long (sparse) when that is more; says in
// `checked` how far the check before the reading child went.
ChmReadStatus Read(const std::string &bytes, ChmArchive &archive, uint64_t size = 0,
                   std::pair<bool, uint32_t> *checked = nullptr)
{
    const test::Folder folder;
    const test::fs::path path = folder.path / "Readme.chm";
    test::WriteFile(path, bytes);
    if (size > bytes.size())
        test::fs::resize_file(path, size);
    if (checked != nullptr) {
        const ChmReading reading(path.string());
        *checked = {reading.fd() < 0, reading.chunksChecked()};
    }
    return ReadChmFile(path.string(), archive);
}

uint32_t U32(const std::string &bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 4; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Missing, foreign, cut and damaged files are told apart. chmlib trusts the file's fields: a zero
// version or window size makes it divide by zero or read through a bad pointer, and a listing
// chunk that goes on with itself keeps it reading for ever (found by the help-file fuzz target).
// Each would end or hang a reader in the program's process.
TEST(ChmReader, TellsMissingForeignCutAndDamagedFilesApart)
{
    const size_t control = kHelpFile.find("LZXC");
    ASSERT_NE(control, std::string::npos);
    // The first listing chunk's link to the next: after the file header, the directory's header
    // says how long it is, how long a chunk is and which chunk lists first.
    const size_t directory = U32(kHelpFile, 0x48);
    const size_t link =
        directory + U32(kHelpFile, directory + 0x08) +
        size_t{U32(kHelpFile, directory + 0x20)} * U32(kHelpFile, directory + 0x10) + 0x10;
    ASSERT_EQ(U32(kHelpFile, link), 0xffffffffu) << "the built help file lists in one chunk";
    const auto zeroed = [](size_t at) { return std::string(kHelpFile).replace(at, 4, 4, '\0'); };
    // A link back to the same chunk in a sparse file of 500 MB whose directory claims all of it,
    // with chunks shorter than a chunk's header: once a freeze of a minute in the check.
    std::string huge = zeroed(link).replace(directory + 0x10, 4, "\1\0\0\0"s);
    huge.replace(0x50, 8, "\0\0\x40\x1f\0\0\0\0"s);
    // The file and the size to give it; whether the check before the child decides it.
    const std::tuple<const char *, std::string, uint64_t, bool, ChmReadStatus> rows[] = {
        {"too short for a header", "<html>no help</html>", 0, false, ChmReadStatus::kNotAHelpFile},
        {"long enough but of another kind", std::string(20000, 'x'), 0, false,
         ChmReadStatus::kNotAHelpFile},
        {"a zero version", zeroed(control + 4), 0, false, ChmReadStatus::kDamaged},
        {"a zero window size", zeroed(control + 12), 0, false, ChmReadStatus::kDamaged},
        {"a listing that goes on with itself", zeroed(link), 0, true, ChmReadStatus::kDamaged},
        {"the same in 500 MB", huge, 500u << 20, true, ChmReadStatus::kDamaged}};
    test::ForEachCase(
        rows, [](auto, const std::string &bytes, uint64_t size, bool before, ChmReadStatus status) {
            ChmArchive archive;
            std::pair<bool, uint32_t> checked;
            EXPECT_EQ(Read(bytes, archive, size, &checked), status);
            EXPECT_EQ(archive.Find("/mg.html"), nullptr);
            EXPECT_EQ(checked.first, before);
            EXPECT_LE(checked.second, kMaxListingChunks);
        });
    // Nothing there, or no regular file: a pipe without a writer would keep the open waiting.
    const test::Folder folder;
    ASSERT_EQ(mkfifo((folder.path / "pipe").c_str(), 0600), 0);
    for (const test::fs::path &path :
         {folder.path / "absent", folder.path / "pipe", folder.path, test::fs::path("/dev/zero")}) {
        ChmArchive empty;
        EXPECT_EQ(ReadChmFile(path.string(), empty), ChmReadStatus::kCannotOpen) << path;
    }

    int damaged = 0;
    for (size_t length = 0; length < kHelpFile.size(); length += kHelpFile.size() / 23 + 1) {
        ChmArchive archive;
        const ChmReadStatus status = Read(kHelpFile.substr(0, length), archive);
        EXPECT_NE(status, ChmReadStatus::kOk) << length;
        damaged += status == ChmReadStatus::kDamaged;
    }
    EXPECT_GT(damaged, 0);
}

TEST(ChmStream, CarriesObjectsAndStopsAtAFault)
{
    const std::string stream = EncodeChmObject("/a.html", "<p>a</p>") +
                               EncodeChmObject("/empty", "") +
                               EncodeChmObject("/b.png", std::string("\0\1\2", 3)) + EncodeChmEnd();
    ChmArchive archive;
    ASSERT_TRUE(DecodeChmStream(stream, archive));
    EXPECT_EQ(archive.Paths(), (std::vector<std::string>{"/a.html", "/b.png", "/empty"}));
    EXPECT_EQ(*archive.Find("/b.png"), std::string("\0\1\2", 3));

    // Cut anywhere, it says it was cut.
    for (size_t length = 0; length < stream.size(); ++length) {
        ChmArchive cut;
        EXPECT_FALSE(DecodeChmStream(std::string_view(stream).substr(0, length), cut)) << length;
    }
    // A length beyond the stream, and bytes after the end mark.
    std::string lying = EncodeChmObject("/x", "abc");
    lying[3] = '\x7f';
    EXPECT_FALSE(DecodeChmStream(lying + EncodeChmEnd(), archive));
    EXPECT_FALSE(DecodeChmStream(stream + "more", archive));
}

void PutU32(std::string &bytes, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xff);
}

std::string Record(char code, std::string_view data) // code and length both below 256
{
    return std::string{code, 0, static_cast<char>(data.size()), 0} + std::string(data);
}

const std::string kSystem = "\x03\0\0\0"s + Record(9, "HHA Version 4.74.8702\0"s) +
                            Record(2, "welcome.html\0"s) + Record(3, "Zerovane Help\0"s) +
                            Record(0, "contents.hhc\0"s) + Record(1, "keywords.hhk\0"s) +
                            Record(5, "win\0"s) + Record(4, std::string(36, '\1'));

// "#STRINGS" and a "#WINDOWS" with two definitions of 196 bytes: the first full, the second
// with a caption outside the strings and a place that is not valid.
const std::string kStrings = "\0win\0Zerovane Help\0c.hhc\0k.hhk\0w.html\0other\0"s;
constexpr uint32_t kWin = 1, kCaption = 5, kContents = 19, kIndex = 25, kHome = 31, kOther = 38;

std::string WindowsFile()
{
    std::string bytes(8 + 2 * 196, '\0');
    const uint32_t given = (1u << 4) | (1u << 5); // the place and the pane width are given
    // Offset and value: the header, then the first definition and the second.
    const uint32_t fields[] = {0,          2,      4,          196,   8,          196,
                               8 + 0x08,   kWin,   8 + 0x0c,   given, 8 + 0x14,   kCaption,
                               8 + 0x20,   40,     8 + 0x24,   40,    8 + 0x28,   900,
                               8 + 0x2c,   700,    8 + 0x4c,   240,   8 + 0x60,   kContents,
                               8 + 0x64,   kIndex, 8 + 0x68,   kHome, 8 + 0x6c,   kHome,
                               204 + 0x08, kOther, 204 + 0x14, 9999,  204 + 0x20, 50};
    for (size_t i = 0; i < std::size(fields); i += 2)
        PutU32(bytes, fields[i], fields[i + 1]);
    return bytes;
}

TEST(ChmSystem, ReadsTheFilesTheTitleAndTheWindowDefinitionsAsFarAsTheyGo)
{
    const ChmSystem system = ParseChmSystem(kSystem);
    EXPECT_EQ((std::vector{system.contentsFile, system.indexFile, system.defaultTopic, system.title,
                           system.defaultWindow}),
              (std::vector<std::string>{"contents.hhc", "keywords.hhk", "welcome.html",
                                        "Zerovane Help", "win"}));

    std::string windows = WindowsFile();
    const auto read = ParseChmWindows(windows, kStrings);
    ASSERT_EQ(read.size(), 2u);
    const auto describe = [](const ChmWindow &w) {
        return w.name + '|' + w.caption + '|' + w.contentsFile + '|' + w.indexFile + '|' +
               w.defaultFile + '|' + w.homeFile + '|' +
               (w.hasRect
                    ? std::to_string(w.right - w.left) + 'x' + std::to_string(w.bottom - w.top)
                    : "no rect") +
               '|' + std::to_string(w.navigationWidth);
    };
    EXPECT_EQ(describe(read[0]), "win|Zerovane Help|c.hhc|k.hhk|w.html|w.html|860x660|240");
    EXPECT_EQ(describe(read[1]), "other||||||no rect|0");

    // Cut anywhere, the objects give what they still hold and never read past their end.
    for (size_t length = 0; length <= kSystem.size(); ++length) {
        const ChmSystem cut = ParseChmSystem(std::string_view(kSystem).substr(0, length));
        EXPECT_TRUE(cut.title.empty() || cut.title == "Zerovane Help") << length;
    }
    for (size_t length = 0; length <= windows.size(); ++length) {
        const auto cut = ParseChmWindows(std::string_view(windows).substr(0, length), kStrings);
        EXPECT_EQ(cut.size(), length < 8 + 196 ? 0u : length < 8 + 2 * 196 ? 1u : 2u) << length;
    }
    for (size_t length = 0; length <= kStrings.size(); ++length) {
        const auto cut = ParseChmWindows(windows, std::string_view(kStrings).substr(0, length));
        ASSERT_EQ(cut.size(), 2u);
        EXPECT_EQ(cut[0].name, std::string("win").substr(0, length > kWin ? length - kWin : 0));
    }
    // Impossible sizes give no windows; more definitions than the bytes hold, those they hold.
    for (const uint32_t size : {0u, 0x6fu, 100000u, 0xffffffffu}) {
        PutU32(windows, 4, size);
        EXPECT_TRUE(ParseChmWindows(windows, kStrings).empty()) << size;
    }
    windows = WindowsFile();
    PutU32(windows, 0, 0xffffffffu);
    EXPECT_EQ(ParseChmWindows(windows, kStrings).size(), 2u);
}

std::set<std::string> Matches(const std::string &page, const std::regex &pattern)
{
    std::set<std::string> found;
    for (std::sregex_iterator it(page.begin(), page.end(), pattern), end; it != end; ++it)
        found.insert((*it)[1]);
    return found;
}

// What the viewer cannot see: every link of the contents, the index and the pages leads to a
// page of the file and to an anchor that the page has, and the index is in order and names
// every topic a window opens.
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
    for (const char *topic :
         {"/aprox.html", "/newton.html", "/mg.html", "/eval.htm", "/expresie.html",
          "/index_metode.html", "/projects.html", "/batch.html", "/methods.html"})
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
    EXPECT_EQ(pages, 11);
}

TEST(HelpBook, FallsBackWhenTheFileLacksWhatItShouldHave)
{
    ChmArchive archive;
    archive.Add("/Start.html", "<html></html>");
    archive.Add("/toc.hhc", R"(<UL><OBJECT type="text/sitemap"><param name="Name" value="Start">
        <param name="Local" value="Start.html"></OBJECT></UL>)");
    // The window's name, the caption, the home page and the numbers of contents and index entries.
    const auto describe = [](const HelpBook &book) {
        return book.window.name + '|' + book.caption + '|' + book.home + '|' +
               std::to_string(book.contents.size()) + '|' + std::to_string(book.index.size());
    };
    EXPECT_EQ(describe(DescribeHelpBook(archive, ChmReadStatus::kOk, "win")), "||Start.html|1|0");
    EXPECT_EQ(describe(DescribeHelpBook(ChmArchive(), ChmReadStatus::kDamaged, "win")), "|||0|0");
}

TEST(HelpTarget, NamesThePageFromTheRootAndItsAnchor)
{
    // The link from the page base, then the page's path and the anchor.
    const std::tuple<const char *, const char *, const char *, const char *, const char *> rows[] =
        {
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

// Each entry as "depth:name>local|title=local" (">" only when it has links).
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

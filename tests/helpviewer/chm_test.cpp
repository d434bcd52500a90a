#include "helpviewer/chmreader.h"
#include "helpviewer/chmsystem.h"

#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <random>

namespace zv {
namespace {

using namespace std::string_literals;

const std::string kHelpFile = test::ReadFile(ZV_HELP_FILE);

ChmReadStatus Read(const std::string &bytes, ChmArchive &archive)
{
    const test::Folder folder;
    test::WriteFile(folder.path / "Readme.chm", bytes);
    return ReadChmFile((folder.path / "Readme.chm").string(), archive);
}

uint32_t U32(const std::string &bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 4; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// chmlib trusts the file's fields: a zero version or window size makes it divide by zero or read
// through a bad pointer, and a listing chunk that goes on with itself keeps it reading for ever
// (found by the help-file fuzz target). Each would end or hang a reader in the program's process.
TEST(ChmReader, AFileThatCrashesOrLoopsTheLibraryIsReportedDamaged)
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
    for (const auto &[name, at] :
         {std::pair{"version", control + 4}, {"window size", control + 12}, {"listing", link}}) {
        SCOPED_TRACE(name);
        std::string bad = kHelpFile;
        bad.replace(at, 4, std::string(4, '\0'));
        ChmArchive archive;
        EXPECT_EQ(Read(bad, archive), ChmReadStatus::kDamaged);
        EXPECT_EQ(archive.Find("/mg.html"), nullptr);
    }
}

TEST(ChmReader, MissingForeignAndCutFilesAreToldApart)
{
    ChmArchive empty;
    EXPECT_EQ(ReadChmFile("/nonexistent/Readme.chm", empty), ChmReadStatus::kCannotOpen);
    std::mt19937 random(12);
    std::string noise(20000, '\0');
    for (char &c : noise)
        c = static_cast<char>(random());
    for (const std::string &foreign : {std::string(), std::string("<html>no help</html>"), noise})
        EXPECT_EQ(Read(foreign, empty), ChmReadStatus::kNotAHelpFile);
    EXPECT_TRUE(empty.empty());

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

    // Cut anywhere, it keeps the whole objects before the cut and says it was cut.
    for (size_t length = 0; length < stream.size(); ++length) {
        ChmArchive cut;
        EXPECT_FALSE(DecodeChmStream(std::string_view(stream).substr(0, length), cut)) << length;
        EXPECT_LE(cut.Paths().size(), 3u);
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

TEST(ChmSystem, ReadsTheFilesTheTitleAndTheWindowDefinitions)
{
    const ChmSystem system = ParseChmSystem(kSystem);
    EXPECT_EQ((std::vector{system.contentsFile, system.indexFile, system.defaultTopic, system.title,
                           system.defaultWindow}),
              (std::vector<std::string>{"contents.hhc", "keywords.hhk", "welcome.html",
                                        "Zerovane Help", "win"}));

    const auto windows = ParseChmWindows(WindowsFile(), kStrings);
    ASSERT_EQ(windows.size(), 2u);
    const auto describe = [](const ChmWindow &w) {
        return w.name + '|' + w.caption + '|' + w.contentsFile + '|' + w.indexFile + '|' +
               w.defaultFile + '|' + w.homeFile + '|' +
               (w.hasRect
                    ? std::to_string(w.right - w.left) + 'x' + std::to_string(w.bottom - w.top)
                    : "no rect") +
               '|' + std::to_string(w.navigationWidth);
    };
    EXPECT_EQ(describe(windows[0]), "win|Zerovane Help|c.hhc|k.hhk|w.html|w.html|860x660|240");
    EXPECT_EQ(describe(windows[1]), "other||||||no rect|0");
}

// Cut anywhere, the objects give what they still hold and never read past their end.
TEST(ChmSystem, CutObjectsAreReadAsFarAsTheyGoAndImpossibleSizesGiveNoWindows)
{
    for (size_t length = 0; length <= kSystem.size(); ++length) {
        const ChmSystem cut = ParseChmSystem(std::string_view(kSystem).substr(0, length));
        EXPECT_TRUE(cut.title.empty() || cut.title == "Zerovane Help") << length;
    }
    std::string windows = WindowsFile();
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

} // namespace
} // namespace zv

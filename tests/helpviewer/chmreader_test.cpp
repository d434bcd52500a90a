#include "helpviewer/chmreader.h"

#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <random>

namespace zv {
namespace {

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

TEST(ChmReader, ReadsTheBuiltHelpFileWhole)
{
    ChmArchive archive;
    ASSERT_EQ(ReadChmFile(ZV_HELP_FILE, archive), ChmReadStatus::kOk);
    // Looked up without regard to case, as help files are.
    ASSERT_NE(archive.Find("/MG.HTML"), nullptr);
    EXPECT_NE(archive.Find("/mg.html")->find("<title>The graph window</title>"), std::string::npos);
    const std::string *picture = archive.Find("/newton.png");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->substr(1, 3), "PNG");
    EXPECT_NE(picture->find("IEND"), std::string::npos);
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

TEST(ChmReader, MissingForeignCutOrGarbledFilesNeverEndTheProgram)
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
    for (int round = 0; round < 40; ++round) {
        std::string bad = kHelpFile;
        for (int flips = 0; flips < 8; ++flips)
            bad[random() % bad.size()] = static_cast<char>(random());
        ChmArchive archive;
        Read(bad, archive); // any status, as long as it comes back
    }
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

} // namespace
} // namespace zv

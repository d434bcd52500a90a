#include "helpviewer/chmreader.h"

#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <random>

namespace zv {
namespace {

ChmReadStatus Read(const std::string &bytes, ChmArchive &archive)
{
    const test::Folder folder;
    test::WriteFile(folder.path / "Readme.chm", bytes);
    return ReadChmFile((folder.path / "Readme.chm").string(), archive);
}

TEST(ChmReader, ReadsEveryPageOfTheBuiltHelpFile)
{
    ChmArchive archive;
    ASSERT_EQ(ReadChmFile(ZV_HELP_FILE, archive), ChmReadStatus::kOk);
    for (const char *page : {"/aprox.html", "/newton.html", "/mg.html", "/eval.htm",
                             "/expresie.html", "/index_metode.html", "/#SYSTEM", "/#WINDOWS"})
        EXPECT_NE(archive.Find(page), nullptr) << page;
    // Looked up without regard to case, as help files are.
    ASSERT_NE(archive.Find("/MG.HTML"), nullptr);
    EXPECT_NE(archive.Find("/mg.html")->find("<title>The graph window</title>"), std::string::npos);
    // The pictures come out whole: PNG signature and end chunk.
    const std::string *picture = archive.Find("/newton.png");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->substr(1, 3), "PNG");
    EXPECT_NE(picture->find("IEND"), std::string::npos);
}

// chmlib trusts the file's fields: these two make it divide by zero and read through a bad
// pointer, which would end a reader in the program's own process.
TEST(ChmReader, AFileThatCrashesTheLibraryIsReportedDamaged)
{
    const std::string good = test::ReadFile(ZV_HELP_FILE);
    const size_t control = good.find("LZXC");
    ASSERT_NE(control, std::string::npos);
    for (const size_t field : {4u, 12u}) { // the version, the window size
        SCOPED_TRACE(field);
        std::string bad = good;
        bad.replace(control + field, 4, std::string(4, '\0'));
        ChmArchive archive;
        EXPECT_EQ(Read(bad, archive), ChmReadStatus::kDamaged);
        EXPECT_EQ(archive.Find("/mg.html"), nullptr);
    }
}

TEST(ChmReader, MissingForeignCutOrGarbledFilesNeverEndTheProgram)
{
    ChmArchive empty;
    EXPECT_EQ(ReadChmFile("/nonexistent/Readme.chm", empty), ChmReadStatus::kCannotOpen);
    EXPECT_EQ(Read("", empty), ChmReadStatus::kNotAHelpFile);
    EXPECT_EQ(Read("<html>not a help file</html>", empty), ChmReadStatus::kNotAHelpFile);
    std::mt19937 random(12);
    std::string noise(20000, '\0');
    for (char &c : noise)
        c = static_cast<char>(random());
    EXPECT_EQ(Read(noise, empty), ChmReadStatus::kNotAHelpFile);
    EXPECT_TRUE(empty.empty());

    const std::string good = test::ReadFile(ZV_HELP_FILE);
    int damaged = 0;
    for (size_t length = 0; length < good.size(); length += good.size() / 23 + 1) {
        ChmArchive archive;
        const ChmReadStatus status = Read(good.substr(0, length), archive);
        EXPECT_NE(status, ChmReadStatus::kOk) << length;
        damaged += status == ChmReadStatus::kDamaged;
    }
    for (int round = 0; round < 40; ++round) {
        std::string bad = good;
        for (int flips = 0; flips < 8; ++flips)
            bad[random() % bad.size()] = static_cast<char>(random());
        ChmArchive archive;
        Read(bad, archive); // any status, as long as it comes back
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

} // namespace
} // namespace zv

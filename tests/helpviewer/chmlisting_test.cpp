#include "helpviewer/chmreader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zv {
namespace {

namespace fs = std::filesystem;

uint32_t U32(const std::string &bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 4; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Where the first listing chunk keeps its link to the next one: after the file header, the
// directory's header says how long it is, how long a chunk is and which chunk lists first.
size_t FirstListingLink(const std::string &file)
{
    const size_t directory = U32(file, 0x48);
    const size_t chunks = directory + U32(file, directory + 0x08);
    return chunks + size_t{U32(file, directory + 0x20)} * U32(file, directory + 0x10) + 0x10;
}

// chmlib follows a listing that links back to itself for ever; the help window would wait
// for the reader's time limit (found by the help-file fuzz target).
TEST(ChmReader, AListingThatGoesRoundIsDamagedAtOnce)
{
    std::ifstream in(ZV_HELP_FILE, std::ios::binary);
    std::string file(std::istreambuf_iterator<char>(in), {});
    const size_t link = FirstListingLink(file);
    ASSERT_EQ(U32(file, link), 0xffffffffu) << "the built help file lists in one chunk";
    file.replace(link, 4, std::string(4, '\0')); // chunk 0 goes on with chunk 0

    const fs::path path = fs::temp_directory_path() / "zv-listing-round.chm";
    std::ofstream(path, std::ios::binary) << file;
    ChmArchive archive;
    EXPECT_EQ(ReadChmFile(path.string(), archive), ChmReadStatus::kDamaged);
    // Read before the fault was found, its objects would have come again and again.
    EXPECT_TRUE(archive.empty());
    fs::remove(path);
}

} // namespace
} // namespace zv

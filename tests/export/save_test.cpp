#include "export/atomicfile.h"
#include "export/dibsection.h"
#include "export/jpegwriter.h"
#include "export/savedialogrequest.h"

#include "tests/support/scratch.h"

#include <csignal>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <regex>
#include <sys/resource.h>
#include <sys/stat.h>

namespace zv {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::Folder;
using test::ReadFile;
using test::WriteFile;

// The graph window's plain filter is the save dialog's test.
TEST(SaveDialogRequest, FlagsFiltersAndTheChosenEntry)
{
    for (const auto &[ask, given, sent] :
         {std::tuple{true, 3, 7}, {false, 0, 4}, {false, 0x20 | 0x40 | 0x100, 0x104}})
        EXPECT_EQ(SaveDialogFlags(ask, given), sent) << ask << " " << given;
    EXPECT_EQ(DialogFilter("Project: zvn|*.zvn"), "Project zvn*.zvn\0\0"s);
    EXPECT_EQ(TrimAtNul("graph.JPG\0\0\0"s), "graph.JPG");
    EXPECT_EQ(TrimAtNul("no nul"), "no nul");
    EXPECT_EQ(TrimAtNul("\0x"s), "");

    const std::string two = "Pictures\0*.jpg\0Text\0*.txt\0\0"s;
    const std::tuple<const char *, std::string, int, std::string> rows[] = {
        {"first of two", two, 1, "Pictures\0*.jpg"s},
        {"second of two", two, 2, "Text\0*.txt"s},
        {"beyond the list", two, 3, ""},
        {"index zero", two, 0, ""},
        {"no NUL at all", "Pictures", 1, ""},
        {"a pattern running to the end", "Pictures\0*.jpg"s, 1, "Pictures\0*.jpg"s},
    };
    for (const auto &[name, filter, index, entry] : rows)
        EXPECT_EQ(FilterEntry(filter, index), entry) << name;
}

TEST(WriteFileAtomically, ReplacesTheFileKeepingItsPermissionsAndOnRequestItsTimes)
{
    Folder folder;
    const fs::path old = folder.path / "old.zvn";
    WriteFile(old, "old text");
    ::chmod(old.c_str(), 0640);
    const struct timespec past[2] = {{900000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, old.c_str(), past, 0);
    struct stat info = {};

    EXPECT_EQ(WriteFileAtomically(old, "new text", true), "");
    ::stat(old.c_str(), &info); // before the reading below sets the access time
    EXPECT_EQ(std::tuple(info.st_mode & 07777, info.st_atim.tv_sec, info.st_mtim.tv_sec),
              std::tuple(0640u, 900000000L, 1000000000L));
    EXPECT_EQ(ReadFile(old), "new text");
    EXPECT_EQ(WriteFileAtomically(old, "newer"), "");
    ::stat(old.c_str(), &info);
    EXPECT_GT(info.st_mtim.tv_sec, 1000000000); // without keepTimes the write's own time

    // A link keeps pointing at its target, which takes the content.
    fs::create_symlink(old, folder.path / "link.zvn");
    EXPECT_EQ(WriteFileAtomically(folder.path / "link.zvn", "through the link"), "");
    EXPECT_TRUE(fs::is_symlink(folder.path / "link.zvn"));
    EXPECT_EQ(ReadFile(old), "through the link");
    EXPECT_EQ(WriteFileAtomically(folder.path / "new.txt", ""), "");
    EXPECT_EQ(folder.Entries(), 3u); // the new file, and no temporary file left behind
}

TEST(WriteFileAtomically, AFailedWriteIsReportedAndLeavesTheOldFileAsItWas)
{
    enum Scene { kSizeLimit, kFullDisk, kReadOnly };
    for (const auto &[scene, name, expected] :
         {std::tuple{kSizeLimit, "a file size limit", "File too large"},
          {kFullDisk, "a full file system", "No space left on device"},
          {kReadOnly, "a read-only folder", "Permission denied"}}) {
        SCOPED_TRACE(name);
        Folder folder;
        const fs::path old = folder.path / "old.zvn";
        if (scene == kFullDisk && !test::MountFullDisk(folder.path, {{"old.zvn", "old text"}})) {
            std::cout << "[  SKIPPED ] cannot mount a small file system here\n";
            continue;
        }
        if (scene != kFullDisk)
            WriteFile(old, "old text");
        if (scene == kReadOnly)
            ::chmod(folder.path.c_str(), 0555);
        rlimit limit = {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit before = limit;
        if (scene == kSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            limit.rlim_cur = 4096;
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::string message;
        {
            const test::AsNobody nobody(scene == kReadOnly); // root passes permission checks
            message = WriteFileAtomically(old, std::string(200000, 'x'));
        }
        ::setrlimit(RLIMIT_FSIZE, &before);
        EXPECT_EQ(message, expected);
        EXPECT_EQ(ReadFile(old), "old text");
        EXPECT_EQ(folder.Entries(), 1u + fs::exists(folder.path / "filler")); // no temporary file
    }

    // Targets that cannot be replaced: a folder, no folder.
    Folder folder;
    EXPECT_EQ(WriteFileAtomically(folder.path, "x"), "Is a directory");
    EXPECT_EQ(WriteFileAtomically(folder.path / "missing" / "x.zvn", "x"),
              "No such file or directory");
}

// 250 x 40 (two padding bytes a row, which the encoder must skip): the top half red, the
// bottom half blue, with a green band over the first 50 columns.
void Paint(cDIBSection &bitmap)
{
    ASSERT_TRUE(bitmap.Create(250, 40));
    for (int y = 0; y < 40; ++y) { // y from the picture's top
        uint8_t *row = bitmap.DIBSectionBitsPtr() + size_t(39 - y) * 752;
        for (int x = 0; x < 250; ++x) {
            row[3 * x + 0] = x >= 50 && y >= 20 ? 255 : 0;
            row[3 * x + 1] = x < 50 ? 255 : 0;
            row[3 * x + 2] = x >= 50 && y < 20 ? 255 : 0;
        }
        row[750] = row[751] = 0x5A;
    }
}

// The picture top-down as RGB, and the first value of its first quantisation table.
std::pair<std::vector<uint8_t>, int> Decode(const std::string &bytes)
{
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size());
    jpeg_read_header(&info, TRUE);
    const int firstQuantValue = info.quant_tbl_ptrs[0]->quantval[0];
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    std::vector<uint8_t> rgb(size_t(info.output_width) * info.output_height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &rgb[size_t(info.output_scanline) * info.output_width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return {rgb, firstQuantValue};
}

// Whether the old file survives a failure, and its permissions, are the file writer's test; here
// what a failure records, and that the old file's times are kept.
TEST(SaveJpeg, RecordsAFailureAndWritesAnUprightBaselinePictureAtTheGivenQuality)
{
    cDIBSection bitmap;
    Paint(bitmap);
    EXPECT_FALSE(SaveJpeg(bitmap, "/dev/full", 100));
    const JpegErrorRecord &error = LastJpegError();
    EXPECT_EQ(error.number, kJpegErrorNumber);
    EXPECT_EQ(error.description + '|' + error.reason,
              "Imposibil de salvat No space left on device|No space left on device");
    EXPECT_EQ(error.source, std::string(program_invocation_short_name) + ".mIntelJPEGLibrary");
    // An empty bitmap is refused by the encoder with its status; no file is made.
    Folder folder;
    EXPECT_FALSE(SaveJpeg(cDIBSection(), folder.path / "empty.jpg", 100));
    EXPECT_TRUE(std::regex_match(error.description, std::regex("Imposibil de salvat [1-9].*")));
    EXPECT_EQ(folder.Entries(), 0u);

    const fs::path path = folder.path / "graph.JPG";
    std::ofstream(path) << "an old picture";
    const struct timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), past, 0);
    ASSERT_TRUE(SaveJpeg(bitmap, path, 100));
    EXPECT_EQ(error.number, 0);
    struct stat info = {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);

    const std::string bytes = ReadFile(path);
    // A baseline frame (SOF0), which every reader takes, and no extended or progressive one.
    const std::string header = bytes.substr(0, bytes.find("\xFF\xDA"));
    EXPECT_NE(header.find("\xFF\xC0"), std::string::npos);
    for (const char *other : {"\xFF\xC1", "\xFF\xC2", "\xFF\xC9", "\xFF\xCA"})
        EXPECT_EQ(header.find(other), std::string::npos);
    const auto [rgb, firstQuantValue] = Decode(bytes);
    ASSERT_EQ(rgb.size(), 250u * 40 * 3);
    EXPECT_EQ(firstQuantValue, 1); // quality 100: the finest quantisation
    // Red on top, blue below, green on the left: each within JPEG's tolerance.
    for (const auto &[x, y, colour] :
         {std::tuple{200, 5, 0xff0000}, {200, 35, 0x0000ff}, {20, 5, 0x00ff00}}) {
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_NEAR(rgb[(size_t(y) * 250 + x) * 3 + channel],
                        (colour >> (16 - 8 * channel)) & 0xff, 8)
                << x << ", " << y;
        }
    }
    ASSERT_TRUE(SaveJpeg(bitmap, path, 50));
    EXPECT_GT(Decode(ReadFile(path)).second, 1);
}

} // namespace
} // namespace zv

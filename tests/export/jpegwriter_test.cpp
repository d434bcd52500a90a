#include "export/dibsection.h"
#include "export/jpegwriter.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Folder
{
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "zv-jpeg-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~Folder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

// 250 x 40 (two padding bytes a row): the top half red, the bottom half blue, with a green
// band over the first 50 columns.
void Paint(cDIBSection &bitmap)
{
    ASSERT_TRUE(bitmap.Create(250, 40));
    for (int y = 0; y < 40; ++y) { // y from the picture's top
        uint8_t *row = bitmap.DIBSectionBitsPtr() + size_t(39 - y) * 752;
        for (int x = 0; x < 250; ++x) {
            const bool green = x < 50;
            row[3 * x + 0] = !green && y >= 20 ? 255 : 0;
            row[3 * x + 1] = green ? 255 : 0;
            row[3 * x + 2] = !green && y < 20 ? 255 : 0;
        }
        row[750] = row[751] = 0x5A; // padding the encoder must skip
    }
}

struct Decoded
{
    int width = 0, height = 0, components = 0;
    int firstQuantValue = 0;
    std::vector<uint8_t> rgb; // top-down
};

Decoded Decode(const std::string &bytes)
{
    Decoded out;
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size());
    jpeg_read_header(&info, TRUE);
    out.firstQuantValue = info.quant_tbl_ptrs[0] ? info.quant_tbl_ptrs[0]->quantval[0] : 0;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out.width = int(info.output_width);
    out.height = int(info.output_height);
    out.components = info.output_components;
    out.rgb.resize(size_t(out.width) * out.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &out.rgb[size_t(info.output_scanline) * out.width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return out;
}

// The frame markers (0xC0 to 0xCF, apart from DHT, JPG and DAC) before the first scan.
std::vector<int> FrameMarkers(const std::string &bytes)
{
    std::vector<int> frames;
    size_t i = 2; // after the start of image
    while (i + 4 <= bytes.size() && uint8_t(bytes[i]) == 0xFF) {
        const int marker = uint8_t(bytes[i + 1]);
        if (marker == 0xDA)
            break;
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            frames.push_back(marker);
        i += 2 + (size_t(uint8_t(bytes[i + 2])) << 8 | uint8_t(bytes[i + 3]));
    }
    return frames;
}

TEST(SaveJpeg, WritesAnUprightBaselineColourPictureAtTheGivenQuality)
{
    Folder folder;
    cDIBSection bitmap;
    Paint(bitmap);
    const fs::path path = folder.path / "graph.JPG";
    ASSERT_TRUE(SaveJpeg(bitmap, path, 100));
    EXPECT_EQ(LastJpegError().number, 0);

    const std::string bytes = ReadFile(path);
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(uint8_t(bytes[0]), 0xFF);
    EXPECT_EQ(uint8_t(bytes[1]), 0xD8);
    EXPECT_EQ(FrameMarkers(bytes), std::vector<int>{0xC0}); // baseline only

    const Decoded picture = Decode(bytes);
    EXPECT_EQ(picture.width, 250);
    EXPECT_EQ(picture.height, 40);
    EXPECT_EQ(picture.components, 3);
    EXPECT_EQ(picture.firstQuantValue, 1); // quality 100: the finest quantisation
    struct Probe
    {
        const char *name;
        int x, y, r, g, b;
    };
    const Probe probes[] = {
        {"top right is red", 200, 5, 255, 0, 0},
        {"bottom right is blue", 200, 35, 0, 0, 255},
        {"left band is green", 20, 5, 0, 255, 0},
        {"left band low is green", 20, 35, 0, 255, 0},
    };
    for (const Probe &probe : probes) {
        SCOPED_TRACE(probe.name);
        const uint8_t *p = &picture.rgb[(size_t(probe.y) * 250 + probe.x) * 3];
        EXPECT_NEAR(p[0], probe.r, 8);
        EXPECT_NEAR(p[1], probe.g, 8);
        EXPECT_NEAR(p[2], probe.b, 8);
    }

    ASSERT_TRUE(SaveJpeg(bitmap, path, 50));
    EXPECT_GT(Decode(ReadFile(path)).firstQuantValue, 1);
}

TEST(SaveJpeg, SavingOverAFileKeepsItsTimesAndPermissions)
{
    Folder folder;
    const fs::path path = folder.path / "old.jpg";
    std::ofstream(path) << "an old picture";
    ::chmod(path.c_str(), 0604);
    const struct timespec past[2] = {{900000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), past, 0);

    cDIBSection bitmap;
    Paint(bitmap);
    ASSERT_TRUE(SaveJpeg(bitmap, path, 100));
    struct stat info
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
    EXPECT_EQ(info.st_atim.tv_sec, 900000000);
    EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);
    EXPECT_EQ(Decode(ReadFile(path)).width, 250); // reading it last: it moves the access time

    // A new file has the times of its writing.
    const fs::path fresh = folder.path / "new.jpg";
    ASSERT_TRUE(SaveJpeg(bitmap, fresh, 100));
    ASSERT_EQ(::stat(fresh.c_str(), &info), 0);
    EXPECT_GT(info.st_mtim.tv_sec, 1000000000);
}

// The writer's own tests fill a file system, limit the file size and take the folder's write
// permission away, each leaving the old file intact; the batch mode's tests do so through the
// program. Here: what a failure records.
TEST(SaveJpeg, AFailureIsRecordedWithTheModulesNumberAndSource)
{
    // A full device (written in place, nothing to rename over it).
    cDIBSection bitmap;
    Paint(bitmap);
    EXPECT_FALSE(SaveJpeg(bitmap, "/dev/full", 100));
    EXPECT_EQ(LastJpegError().number, kJpegErrorNumber);
    EXPECT_EQ(LastJpegError().description, "Imposibil de salvat No space left on device");
    EXPECT_EQ(LastJpegError().reason, "No space left on device");
    EXPECT_EQ(LastJpegError().source,
              std::string(program_invocation_short_name) + ".mIntelJPEGLibrary");

    // An empty bitmap is refused by the encoder with its status; no file is made.
    Folder folder;
    cDIBSection empty;
    EXPECT_FALSE(SaveJpeg(empty, folder.path / "empty.jpg", 100));
    EXPECT_EQ(LastJpegError().description.rfind("Imposibil de salvat ", 0), 0u);
    EXPECT_NE(LastJpegError().description.find_first_of("123456789"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder.path / "empty.jpg"));
}

} // namespace
} // namespace zv

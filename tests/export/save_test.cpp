#include "export/atomicfile.h"
#include "export/dibsection.h"
#include "export/jpegwriter.h"
#include "export/savedialogrequest.h"

#include "tests/support/cases.h"
#include "tests/support/scratch.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <map>
#include <regex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>

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

// What the user set on a file, followed through links: kind, bits, owner, link count, access
// list, attributes and, where the writer may set them (its own regular file), times; "" for no
// file there.
std::string Kept(const fs::path &path, uid_t writer)
{
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    std::string kept = std::to_string(info.st_mode) + ' ' + std::to_string(info.st_uid) + ' ' +
                       std::to_string(info.st_gid) + ' ' + std::to_string(info.st_nlink);
    if (S_ISREG(info.st_mode) && info.st_uid == writer)
        kept += ' ' + std::to_string(info.st_atim.tv_nsec) + std::to_string(info.st_mtim.tv_nsec);
    for (const char *name : {"system.posix_acl_access", "user.zv", "security.zv"}) {
        char value[256];
        const ssize_t size = ::getxattr(path.c_str(), name, value, sizeof value);
        kept += '|' + std::string(value, size_t(std::max(size, 0L)));
    }
    return kept;
}

// The mode of the temporary file when a write goes past the size limit (-1: there is none).
int g_tempMode = -1;
fs::path g_tempFolder;

TEST(WriteFileAtomically, KeepsWhatTheUserSetOnTheFileOrFailsLeavingItAsItWas)
{
    // An old file f with those bits, given to the nobody user when asked (and we may).
    const auto old = [](const char *f, mode_t mode, bool nobodys = false) {
        WriteFile(f, "old text");
        return !::chmod(f, mode) && (!nobodys || !::chown(f, 65534, 65534));
    };
    // u::rw-, u:nobody:rw-, g::r--, mask::rw-, o::---, as version 2 and (tag, bits, id) each.
    const std::string access =
        "\2\0\0\0\1\0\6\0\377\377\377\377\2\0\6\0\376\377\0\0\4\0\4\0\377\377"
        "\377\377\20\0\6\0\377\377\377\377\40\0\0\0\377\377\377\377"s;
    const auto list = [&](const char *path, const char *name) {
        return !::setxattr(path, name, access.data(), access.size(), 0);
    };
    const std::string notAFile = "This is a pipe, a device or a socket, not a file.",
                      readOnly = "The file is read-only for you.", tooLarge = "File too large";
    struct Row
    {
        const char *name;
        std::function<bool(const fs::path &, const char *)> make; // false: cannot be done here
        std::string failure{};
        bool asNobody = false, sizeLimit = false;
        int tempMode = -1;
        const char *written = "f";
    };
    // clang-format off
    const Row rows[] = {
        {"bits and times", [&](auto, auto f) { return old(f, 0640); }},
        {"an access list and an attribute", [&](auto, auto f) {
            return old(f, 0640) && !::setxattr(f, "user.zv", "v", 1, 0) &&
                   list(f, "system.posix_acl_access"); }},
        {"a folder that opens new files to more", [&](auto d, auto f) {
            return old(f, 0600) && list(d.c_str(), "system.posix_acl_default"); }},
        {"a chain of links, one relative to its folder", [&](auto d, auto f) {
            WriteFile(d / "real", "old text");
            fs::create_directory(d / "sub");
            fs::create_symlink(d / "real", d / "one");
            fs::create_symlink("../one", d / "sub/two");
            return !::symlink("sub/two", f); }},
        {"a link to a missing file", [](auto, auto f) { return !::symlink("made", f); }},
        {"a hard link", [&](auto d, auto f) { return old(f, 0644) && !::link(f, (d / "g").c_str()); }},
        {"a writable file in a read-only folder", [&](auto d, auto f) {
            return old(f, 0644, true) && !::chmod(d.c_str(), 0555); }, "", true},
        {"another user's writable file in a sticky folder", [&](auto d, auto f) {
            return old(f, 0666) && !::chmod(d.c_str(), 01777); }, "", true},
        {"an attribute we may not set", [&](auto d, auto f) {
            return old(f, 0644, true) && !::chmod(d.c_str(), 0777) &&
                   !::setxattr(f, "security.zv", "v", 1, 0); }, "", true},
        {"a file mounted over the name", [&](auto d, auto f) {
            WriteFile(d / "g", "old text");
            return old(f, 0644) && !::mount((d / "g").c_str(), f, nullptr, MS_BIND, nullptr); }},
        {"a named pipe", [](auto, auto f) { return !::mkfifo(f, 0666); }, notAFile},
        {"a socket", [](auto, auto f) { return !::mknod(f, S_IFSOCK | 0666, 0); }, notAFile},
        {"a device", [](auto, auto f) { return !::symlink("/dev/null", f); }, notAFile},
        {"a folder", [](auto, auto f) { return !::mkdir(f, 0755); }, "Is a directory"},
        {"no folder", [](auto, auto) { return true; }, "No such file or directory", false, false, -1, "f/x"},
        {"a loop of links", [](auto, auto f) { return !::symlink("f", f); }, "Too many levels of symbolic links"},
        {"the user's own read-only file", [&](auto, auto f) { return old(f, 0444, true); }, readOnly, true},
        {"another user's private file in an open folder", [&](auto d, auto f) {
            return old(f, 0600) && !::chmod(d.c_str(), 0777); }, readOnly, true},
        {"a size limit", [&](auto, auto f) { return old(f, 0600); }, tooLarge, false, true, 0600},
        {"a size limit on a hard link", [&](auto d, auto f) {
            return old(f, 0600) && !::link(f, (d / "g").c_str()); }, tooLarge, false, true},
        {"a full file system", [](auto d, auto) { return test::MountFullDisk(d, {{"f", "old text"}}); },
         "No space left on device"},
    };
    // clang-format on
    const std::string content(200000, 'x');
    std::signal(SIGXFSZ, [](int) {
        for (const auto &entry : fs::directory_iterator(g_tempFolder)) {
            if (entry.path().filename().string().starts_with(".zerovane"))
                g_tempMode = int(entry.status().permissions());
        }
    });
    ::alarm(60); // a write that waits for a reader of the pipe fails instead of hanging
    test::ForEachCase(rows, [&](const Row &row) {
        Folder folder;
        if (!row.make(folder.path, (folder.path / "f").c_str())) {
            std::cout << "[  SKIPPED ] cannot be arranged here\n";
            return;
        }
        const uid_t writer = row.asNobody && ::geteuid() == 0 ? 65534 : ::geteuid();
        std::map<fs::path, std::pair<bool, std::string>> before; // a link?, what it keeps
        for (const auto &entry : fs::directory_iterator(folder.path))
            before[entry.path()] = {entry.is_symlink(), Kept(entry.path(), writer)};
        rlimit limit = {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit sizeLimit = {4096, limit.rlim_max};
        g_tempMode = -1;
        g_tempFolder = folder.path;
        std::string message;
        {
            const test::AsNobody nobody(row.asNobody);
            ::setrlimit(RLIMIT_FSIZE, row.sizeLimit ? &sizeLimit : &limit);
            message = WriteFileAtomically(folder.path / row.written, content, true);
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        EXPECT_EQ(message, row.failure);
        EXPECT_EQ(g_tempMode, row.tempMode); // never wider than the old file's bits
        for (const auto &entry : fs::directory_iterator(folder.path)) {
            SCOPED_TRACE(entry.path());
            EXPECT_FALSE(entry.path().filename().string().starts_with(".zerovane"));
            const auto &[wasLink, kept] = before[entry.path()];
            EXPECT_EQ(entry.is_symlink(), wasLink);
            if (!kept.empty()) { // what was there keeps it, written or not
                EXPECT_EQ(Kept(entry.path(), writer), kept);
            }
        }
        if (row.failure.empty()) { // reading changes the times: last
            EXPECT_EQ(ReadFile(folder.path / row.written), content);
        }
        std::error_code noFile;
        for (const auto &entry : fs::directory_iterator(folder.path)) {
            if (entry.is_regular_file(noFile) && entry.path().filename() != "filler") {
                EXPECT_EQ(ReadFile(entry.path()), row.failure.empty() ? content : "old text")
                    << entry.path();
            }
        }
        ::umount2((folder.path / "f").c_str(), MNT_DETACH);
    });
    ::alarm(0);

    // Without keepTimes the file has the time of its writing.
    const Folder folder;
    const auto now = fs::file_time_type::clock::now;
    WriteFile(folder.path / "f", "old text");
    fs::last_write_time(folder.path / "f", now() - std::chrono::hours(24));
    EXPECT_EQ(WriteFileAtomically(folder.path / "f", "new"), "");
    EXPECT_GT(fs::last_write_time(folder.path / "f"), now() - std::chrono::hours(1));
}

// A picture and its results written together: each file is all or nothing, the results only
// follow a written picture, and a picture is not held back by its results. The single writer's
// table above holds what each file keeps; a hard link takes the in-place path.
TEST(WriteFilesAtomically, WritesEachFileWholeAndALaterOneOnlyAfterAnEarlierOne)
{
    const std::string picture(100000, 'p'), notAFile = "This is a pipe, a device or a socket, "
                                                       "not a file.";
    // How the folder is arranged, the files written, the failure, then what p and r hold ("" for
    // no regular file).
    const std::tuple<const char *, std::function<bool(const fs::path &)>, size_t, std::string,
                     std::string, std::string>
        rows[] = {
            {"both", [](auto) { return true; }, 2, "", picture, "new r"},
            {"the picture as a hard link",
             [](auto d) { return !::link((d / "p").c_str(), (d / "q").c_str()); }, 2, "", picture,
             "new r"},
            {"the results where a folder stands",
             [](auto d) { return fs::remove(d / "r") && fs::create_directory(d / "r"); }, 1,
             "Is a directory", picture, ""},
            {"a pipe for the picture",
             [](auto d) { return fs::remove(d / "p") && !::mkfifo((d / "p").c_str(), 0644); }, 0,
             notAFile, "", "old r"},
            {"a full disk",
             [](auto d) {
                 return test::MountFullDisk(d, {{"p", "old p"}, {"r", "old r"}});
             },
             0, "No space left on device", "old p", "old r"},
        };
    test::ForEachCase(rows, [&](auto, const auto &make, size_t written, const std::string &failure,
                                const std::string &p, const std::string &r) {
        Folder folder;
        WriteFile(folder.path / "p", "old p");
        WriteFile(folder.path / "r", "old r");
        if (!make(folder.path)) {
            std::cout << "[  SKIPPED ] cannot be arranged here\n";
            return;
        }
        const FileWrite files[] = {{folder.path / "p", picture, true},
                                   {folder.path / "r", "new r"}};
        std::string why = "?";
        EXPECT_EQ(WriteFilesAtomically(files, why), written);
        EXPECT_EQ(why, failure);
        EXPECT_EQ(ReadFile(folder.path / "p"), p);
        EXPECT_EQ(ReadFile(folder.path / "r"), r);
        for (const auto &entry : fs::directory_iterator(folder.path))
            EXPECT_FALSE(entry.path().filename().string().starts_with(".zerovane"));
    });
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
    Folder folder;
    EXPECT_FALSE(SaveJpeg(bitmap, folder.path / "no folder" / "graph.JPG", 100));
    const JpegErrorRecord &error = LastJpegError();
    EXPECT_EQ(error.number, kJpegErrorNumber);
    EXPECT_EQ(error.description + '|' + error.reason,
              "Imposibil de salvat No such file or directory|No such file or directory");
    EXPECT_EQ(error.source, std::string(program_invocation_short_name) + ".mIntelJPEGLibrary");
    // An empty bitmap is refused by the encoder with its status; no file is made.
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

#pragma once

// Scratch files for tests that use the real file system.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/mount.h>
#include <unistd.h>

namespace zv::test {

namespace fs = std::filesystem;

// The content of a regular file; "" for anything else (reading a link to /dev/full never ends).
inline std::string ReadFile(const fs::path &path)
{
    if (!fs::is_regular_file(path))
        return {};
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteFile(const fs::path &path, const std::string &content)
{
    std::ofstream(path, std::ios::binary) << content;
}

// A fresh folder, removed afterwards with whatever was mounted on it or made unwritable.
struct Folder
{
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "zv-test-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~Folder()
    {
        ::umount2(path.c_str(), MNT_DETACH);
        std::error_code ignored;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path, ignored);
    }
    Folder(const Folder &) = delete;
    Folder &operator=(const Folder &) = delete;
    size_t Entries() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(path), {}));
    }
    fs::path path;
};

} // namespace zv::test

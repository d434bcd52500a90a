#pragma once

// Scratch files on the real file system, and places where a write fails for real.
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <linux/capability.h>
#include <string>
#include <string_view>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
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

inline void WriteFile(const fs::path &path, std::string_view content)
{
    std::ofstream(path, std::ios::binary).write(content.data(), std::streamsize(content.size()));
}

// A fresh folder that every user may enter, removed afterwards with whatever was mounted on it
// or made unwritable.
struct Folder
{
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "zv-test-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        ::chmod(path.c_str(), 0755);
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

// Mounts a small file system on folder, writes the files into it and fills it to the last byte.
// Returns false where it cannot be mounted (that needs root and the right to mount).
inline bool MountFullDisk(const fs::path &folder,
                          std::initializer_list<std::pair<const char *, std::string>> files)
{
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0)
        return false;
    for (const auto &[name, bytes] : files)
        WriteFile(folder / name, bytes);
    std::ofstream filler(folder / "filler", std::ios::binary);
    const std::string block(4096, 'f');
    while (filler.write(block.data(), std::streamsize(block.size())) && filler.flush())
        continue;
    return true;
}

// While it lives, this thread's file accesses are checked as the user nobody's when `drop` is
// set (root passes every permission check); the file system's user id is the thread's own. The
// thread also sets aside the right to set any attribute (CAP_SYS_ADMIN), which that id keeps.
class AsNobody
{
public:
    explicit AsNobody(bool drop = true)
        : m_dropped(drop && ::geteuid() == 0)
    {
        if (m_dropped) {
            ::setfsgid(65534);
            ::setfsuid(65534);
            Administer(false);
        }
    }
    ~AsNobody()
    {
        if (m_dropped) {
            Administer(true);
            ::setfsuid(0);
            ::setfsgid(0);
        }
    }
    AsNobody(const AsNobody &) = delete;
    AsNobody &operator=(const AsNobody &) = delete;

private:
    static void Administer(bool may)
    {
        __user_cap_header_struct header = {_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct rights[2] = {};
        ::syscall(SYS_capget, &header, rights);
        rights[0].effective &= ~(1u << CAP_SYS_ADMIN);
        rights[0].effective |= unsigned(may) << CAP_SYS_ADMIN;
        ::syscall(SYS_capset, &header, rights);
    }
    bool m_dropped;
};

} // namespace zv::test

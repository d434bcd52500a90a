#pragma once

// Places where reading or writing a file fails for real: a full file system, a folder or a
// file its user may not touch, a file far larger than a reader takes. Plain C++, for the
// widget tests and for the tests that run the programs alike.

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zv::test {

namespace fs = std::filesystem;

inline std::string FileBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "(missing)";
}

inline void WriteBytes(const fs::path &path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// A file of `size` bytes that starts with `head` and goes on as a hole: zero bytes that take
// no room on the disk and no time to write.
inline void WriteSparse(const fs::path &path, std::string_view head, std::uintmax_t size)
{
    WriteBytes(path, head);
    fs::resize_file(path, size);
}

// A fresh folder that every user may enter, removed afterwards with whatever is mounted on it.
struct ScratchFolder
{
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "zv-bad-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        ::chmod(path.c_str(), 0755);
    }
    ~ScratchFolder()
    {
        ::umount2(path.c_str(), MNT_DETACH);
        std::error_code ignored;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;
    fs::path path;
};

// While it lives, the files this thread opens are checked as the user nobody's when `drop`
// is set: root passes every permission check, and the file system's user id is the one those
// checks take (it belongs to the calling thread alone). Another user is checked anyway.
class AsNobody
{
public:
    explicit AsNobody(bool drop = true)
        : m_dropped(drop && ::geteuid() == 0)
    {
        if (m_dropped) {
            ::setfsgid(kNobody);
            ::setfsuid(kNobody);
        }
    }
    ~AsNobody()
    {
        if (m_dropped) {
            ::setfsuid(0);
            ::setfsgid(0);
        }
    }
    AsNobody(const AsNobody &) = delete;
    AsNobody &operator=(const AsNobody &) = delete;

    // The same for a program run through a shell: a prefix for its command line.
    static std::string CommandPrefix(bool drop = true)
    {
        return drop && ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups "
                                        : "";
    }

private:
    static constexpr uid_t kNobody = 65534;
    bool m_dropped;
};

// The two places where every write must fail and leave the old files as they were.
struct WritePlace
{
    const char *name;
    bool fullDisk;       // a file system filled to the last byte; else a folder nobody may write
    const char *failure; // the system's description
};
inline constexpr WritePlace kWritePlaces[] = {
    {"a full file system", true, "No space left on device"},
    {"a read-only folder", false, "Permission denied"},
};

// Makes folder the place, holding `files` (name and bytes). Where a small file system cannot
// be mounted (it needs root and the right to mount) says so and returns false.
inline bool MakeWritePlace(const fs::path &folder, const WritePlace &place,
                           std::initializer_list<std::pair<const char *, std::string>> files)
{
    if (place.fullDisk && ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=1m,mode=0755") != 0) {
        std::cout << "[  SKIPPED ] " << place.name << ": cannot mount a small tmpfs here\n";
        return false;
    }
    for (const auto &[name, bytes] : files)
        WriteBytes(folder / name, bytes);
    if (place.fullDisk) {
        std::ofstream filler(folder / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), std::streamsize(block.size())) && filler.flush()) {
        }
    } else {
        fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
    }
    return true;
}

// While it lives, a reader that waits on the named pipe at path (for a writer that never comes)
// is let go at once: a writer opens the pipe and closes it again, so the reader finds it empty.
// A hang then fails as a wrong message instead of stopping the tests. Does nothing for a path
// that is not a named pipe.
class PipeReleaser
{
public:
    explicit PipeReleaser(const fs::path &path)
    {
        if (!fs::is_fifo(path))
            return;
        m_thread = std::thread([this, path] {
            while (!m_done) {
                const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
                else // no reader yet
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
    ~PipeReleaser()
    {
        m_done = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    PipeReleaser(const PipeReleaser &) = delete;
    PipeReleaser &operator=(const PipeReleaser &) = delete;

private:
    std::atomic<bool> m_done = false;
    std::thread m_thread;
};

} // namespace zv::test

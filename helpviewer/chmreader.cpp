#include "helpviewer/chmreader.h"

#include <chm_lib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zv {

namespace {

// Receive takes at most this much at a time, so that a fast child does not hold up the
// caller's other work.
constexpr size_t kReceiveBytes = 1u << 20;

// Exit codes of the reading child.
constexpr int kChildOk = 0;
constexpr int kChildNotAHelpFile = 3;
constexpr int kChildIncomplete = 4;
constexpr int kChildWriteFailed = 5;

constexpr int kLengthBytes = 8;

// The file header: its signature, and where the directory of the file's objects lies.
constexpr size_t kHeaderBytes = 0x58;
constexpr size_t kDirectoryOffset = 0x48;
constexpr size_t kDirectoryLength = 0x50;
// The directory's own header ("ITSP"): its length, the length of its chunks and the first
// listing chunk; and in a listing chunk ("PMGL"), the link to the next one.
constexpr size_t kDirectoryHeaderBytes = 0x24;
constexpr size_t kDirectoryHeaderLength = 0x08;
constexpr size_t kChunkLength = 0x10;
constexpr size_t kFirstListingChunk = 0x20;
constexpr size_t kListingHeaderBytes = 0x14;
constexpr size_t kNextListingChunk = 0x10;

uint64_t ReadLittleEndian(const unsigned char *bytes, int count)
{
    uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

// What the check of a help file finds before chmlib reads it.
struct Directory
{
    bool whole = true;   // the directory lies inside the file
    bool ends = true;    // the chain of listing chunks ends
    uint32_t chunks = 0; // listing chunks read
};

// chmlib walks the listing chunks from the first by their links to the next and never
// notices a link back to a chunk it has read: it would go round until the reader's time runs
// out. It stops at a chunk it cannot read or that is no listing. The directory's length says
// how many chunks it can hold; a chain with more links than that goes round (or out of the
// directory). The walk is bounded by chunks, never by the size of the file.
void WalkListingChain(int fd, uint64_t size, uint64_t directory, uint64_t length, Directory &found)
{
    unsigned char header[kDirectoryHeaderBytes];
    if (pread(fd, header, sizeof header, static_cast<off_t>(directory)) !=
            static_cast<ssize_t>(sizeof header) ||
        std::string_view(reinterpret_cast<const char *>(header), 4) != "ITSP")
        return; // chmlib turns the file down
    const uint64_t chunks = directory + ReadLittleEndian(header + kDirectoryHeaderLength, 4);
    const uint64_t chunkLength = ReadLittleEndian(header + kChunkLength, 4);
    auto chunk = static_cast<int32_t>(ReadLittleEndian(header + kFirstListingChunk, 4));
    const uint64_t room =
        std::min(length, size - directory) / std::max<uint64_t>(chunkLength, kListingHeaderBytes) +
        1;
    const uint64_t bound = std::min<uint64_t>(room, kMaxListingChunks);
    // chunk < 0: the end mark, or a chunk before the file that chmlib cannot read.
    while (chunk >= 0) {
        if (found.chunks == bound) {
            found.ends = false;
            return;
        }
        const uint64_t at = chunks + static_cast<uint64_t>(chunk) * chunkLength;
        unsigned char listing[kListingHeaderBytes];
        ++found.chunks;
        if (at > size || chunkLength > size - at ||
            pread(fd, listing, sizeof listing, static_cast<off_t>(at)) !=
                static_cast<ssize_t>(sizeof listing) ||
            std::string_view(reinterpret_cast<const char *>(listing), 4) != "PMGL")
            return;
        chunk = static_cast<int32_t>(ReadLittleEndian(listing + kNextListingChunk, 4));
    }
}

// What chmlib would not tell: it reads a file cut inside its directory as one with fewer
// pages, without a word (the header says where the directory ends), and it never gets out of
// a listing that goes round. A file too short for a header, or of another kind, is left to
// chmlib to reject.
Directory CheckDirectory(int fd, uint64_t size)
{
    unsigned char header[kHeaderBytes];
    if (pread(fd, header, sizeof header, 0) != static_cast<ssize_t>(sizeof header) ||
        std::string_view(reinterpret_cast<const char *>(header), 4) != "ITSF")
        return {};
    const uint64_t offset = ReadLittleEndian(header + kDirectoryOffset, 8);
    const uint64_t length = ReadLittleEndian(header + kDirectoryLength, 8);
    Directory directory;
    directory.whole = offset <= size && length <= size - offset;
    if (offset <= size)
        WalkListingChain(fd, size, offset, length, directory);
    return directory;
}

// Opens a regular file for reading, never waiting: opening a named pipe without a writer
// would wait for one. Returns -1 for anything else.
int OpenRegularFile(const std::string &path, uint64_t &size)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info;
    if (fd < 0)
        return -1;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return -1;
    }
    size = static_cast<uint64_t>(info.st_size);
    return fd;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

struct ChildContext
{
    int fd = -1;
    bool incomplete = false;
    bool writeFailed = false;
};

int SendObject(chmFile *file, chmUnitInfo *unit, void *context)
{
    auto &child = *static_cast<ChildContext *>(context);
    if (unit->length > kMaxChmStreamBytes) {
        child.incomplete = true;
        return CHM_ENUMERATOR_CONTINUE;
    }
    std::string content(static_cast<size_t>(unit->length), '\0');
    const LONGINT64 read =
        content.empty()
            ? 0
            : chm_retrieve_object(file, unit, reinterpret_cast<unsigned char *>(content.data()), 0,
                                  static_cast<LONGINT64>(content.size()));
    if (read != static_cast<LONGINT64>(content.size())) {
        // A part that cannot be read is left out rather than shown cut.
        child.incomplete = true;
        return CHM_ENUMERATOR_CONTINUE;
    }
    if (!WriteAll(child.fd, EncodeChmObject(unit->path, content))) {
        child.writeFailed = true;
        return CHM_ENUMERATOR_FAILURE;
    }
    return CHM_ENUMERATOR_CONTINUE;
}

// Runs in the child: reads the file and writes the stream. Returns the exit code. The file is
// opened again through the descriptor the parent checked, so that the file read is the one
// checked even when its name now stands for another.
int SendArchive(const std::string &path, int checked, int fd)
{
    const std::string same = "/proc/self/fd/" + std::to_string(checked);
    chmFile *file = chm_open(access(same.c_str(), R_OK) == 0 ? same.c_str() : path.c_str());
    if (file == nullptr)
        return kChildNotAHelpFile;
    ChildContext child;
    child.fd = fd;
    chm_enumerate(file, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_SPECIAL | CHM_ENUMERATE_FILES,
                  SendObject, &child);
    chm_close(file);
    if (child.writeFailed || !WriteAll(fd, EncodeChmEnd()))
        return kChildWriteFailed;
    return child.incomplete ? kChildIncomplete : kChildOk;
}

int WaitForChild(pid_t child)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

std::string EncodeChmObject(std::string_view path, std::string_view content)
{
    std::string frame;
    frame.reserve(path.size() + 1 + kLengthBytes + content.size());
    frame.append(path);
    frame.push_back('\0');
    uint64_t length = content.size();
    for (int i = 0; i < kLengthBytes; ++i) {
        frame.push_back(static_cast<char>(length & 0xff));
        length >>= 8;
    }
    frame.append(content);
    return frame;
}

std::string EncodeChmEnd()
{
    return std::string(1, '\0');
}

bool DecodeChmStream(std::string_view stream, ChmArchive &archive)
{
    while (!stream.empty()) {
        const size_t nul = stream.find('\0');
        if (nul == std::string_view::npos)
            return false;
        const std::string_view path = stream.substr(0, nul);
        stream.remove_prefix(nul + 1);
        if (path.empty())
            return stream.empty();
        if (stream.size() < kLengthBytes)
            return false;
        uint64_t length = 0;
        for (int i = kLengthBytes - 1; i >= 0; --i)
            length = (length << 8) | static_cast<unsigned char>(stream[static_cast<size_t>(i)]);
        stream.remove_prefix(kLengthBytes);
        if (length > stream.size())
            return false;
        archive.Add(path, std::string(stream.substr(0, static_cast<size_t>(length))));
        stream.remove_prefix(static_cast<size_t>(length));
    }
    return false;
}

ChmReading::ChmReading(const std::string &path)
{
    // Missing or unreadable is told apart from damaged before any child is started.
    uint64_t size = 0;
    const int file = OpenRegularFile(path, size);
    if (file < 0) {
        m_status = ChmReadStatus::kCannotOpen;
        return;
    }
    const Directory directory = CheckDirectory(file, size);
    m_whole = directory.whole;
    m_chunksChecked = directory.chunks;
    int fds[2];
    if (!directory.ends) {
        m_status = ChmReadStatus::kDamaged;
    } else if (pipe2(fds, O_CLOEXEC) != 0) {
        m_status = ChmReadStatus::kCannotOpen;
    } else if (const pid_t child = fork(); child == 0) {
        // The child only reads the file and writes the pipe (glibc's allocator stays usable
        // after a fork), and leaves without running the parent's exit handlers.
        close(fds[0]);
        _exit(SendArchive(path, file, fds[1]));
    } else if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        m_status = ChmReadStatus::kCannotOpen;
    } else {
        close(fds[1]);
        // The parent only ever takes what is there.
        fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK);
        m_pipe = fds[0];
        m_child = child;
    }
    close(file);
}

ChmReading::~ChmReading()
{
    ClosePipe();
    if (m_child > 0) {
        kill(m_child, SIGKILL);
        WaitForChild(m_child);
    }
}

void ChmReading::ClosePipe()
{
    if (m_pipe >= 0)
        close(m_pipe);
    m_pipe = -1;
}

bool ChmReading::Receive()
{
    char buffer[65536];
    for (size_t taken = 0; m_pipe >= 0 && taken < kReceiveBytes;) {
        const ssize_t got = read(m_pipe, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return false;
        // The end of the output; or a failure or an output past its bound, which leave the
        // reading cut.
        m_ended = got == 0;
        if (got <= 0 || m_stream.size() + static_cast<size_t>(got) > kMaxChmStreamBytes) {
            ClosePipe();
            break;
        }
        m_stream.append(buffer, static_cast<size_t>(got));
        taken += static_cast<size_t>(got);
    }
    return m_pipe < 0;
}

ChmReadStatus ChmReading::Finish(ChmArchive &archive)
{
    ClosePipe();
    if (m_child <= 0)
        return m_status;
    if (!m_ended)
        kill(m_child, SIGKILL);
    const int exitCode = WaitForChild(m_child);
    m_child = -1;

    const bool wellFormed = DecodeChmStream(m_stream, archive);
    m_stream.clear();
    if (exitCode == kChildNotAHelpFile)
        return ChmReadStatus::kNotAHelpFile;
    if (!m_whole || !m_ended || !wellFormed || exitCode != kChildOk)
        return ChmReadStatus::kDamaged;
    return ChmReadStatus::kOk;
}

ChmReadStatus ReadChmFile(const std::string &path, ChmArchive &archive)
{
    ChmReading reading(path);
    const auto deadline = std::chrono::steady_clock::now() + kChmReadTimeLimit;
    while (reading.fd() >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd poller{reading.fd(), POLLIN, 0};
        const int ready = poll(&poller, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        reading.Receive();
    }
    return reading.Finish(archive);
}

} // namespace zv

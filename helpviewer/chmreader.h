#pragma once

#include "helpviewer/chmarchive.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace zv {

enum class ChmReadStatus {
    kOk,           // every object was read
    kCannotOpen,   // the file is missing, cannot be read or is no regular file
    kNotAHelpFile, // the file is not a compiled help file
    kDamaged,      // the reading failed part of the way: the archive holds what was read
};

// A help file is a few hundred kilobytes in a handful of listing chunks; these bounds only stop
// a damaged one: the bytes a reading may hand over, the time it may take, and the listing chunks
// the check before it walks.
inline constexpr uint64_t kMaxChmStreamBytes = 64u << 20;
inline constexpr std::chrono::seconds kChmReadTimeLimit{10};
inline constexpr uint32_t kMaxListingChunks = 1u << 14;

// One reading of a compiled help file, driven by its caller so that nobody waits on it. chmlib
// trusts the structures of the file it reads, and a damaged file can make it crash or loop; so
// it reads in a child process that hands the objects over through a pipe. The constructor opens
// the file (a regular file only, never waiting on a pipe or device), checks its directory and
// starts the child; the caller hands Receive the child's output whenever fd() has some, and
// Finish gives the result. A child that crashes, sends too much, or is ended before it is done
// leaves kDamaged. A file whose listing of objects goes round, which would keep chmlib reading
// until its time is up, is kDamaged at once, with nothing read and no child started.
class ChmReading
{
public:
    explicit ChmReading(const std::string &path);
    ~ChmReading(); // ends a child that still reads
    ChmReading(const ChmReading &) = delete;
    ChmReading &operator=(const ChmReading &) = delete;

    // The child's output, to be watched for input; -1 once no more is to come.
    int fd() const { return m_pipe; }
    // Takes what the child has written so far, without waiting. Returns whether the output is
    // over (fd() is then -1).
    bool Receive();
    // Ends the reading, and the child if it still reads; adds the objects read to archive.
    // Call once.
    ChmReadStatus Finish(ChmArchive &archive);
    // How many listing chunks the check before the child read (at most kMaxListingChunks).
    uint32_t chunksChecked() const { return m_chunksChecked; }

private:
    void ClosePipe();

    ChmReadStatus m_status = ChmReadStatus::kOk; // what is known before the child's result
    int m_pipe = -1;
    int m_child = -1;     // its process id while it is not waited for
    bool m_ended = false; // the child's output came to its end
    bool m_whole = true;  // the directory lies inside the file
    uint32_t m_chunksChecked = 0;
    std::string m_stream;
};

// Reads every page, picture and system object of the compiled help file at path into archive
// through a ChmReading, waiting for it at most kChmReadTimeLimit.
ChmReadStatus ReadChmFile(const std::string &path, ChmArchive &archive);

// The stream in which the reader hands the objects over: per object its path, a NUL and the
// length as 8 bytes, least significant first, then the bytes; an empty path ends the stream.
std::string EncodeChmObject(std::string_view path, std::string_view content);
std::string EncodeChmEnd();
// Adds every complete object of stream to archive. True when the stream is well formed and
// ends with the end mark; a cut or garbled stream keeps the objects before the fault.
bool DecodeChmStream(std::string_view stream, ChmArchive &archive);

} // namespace zv

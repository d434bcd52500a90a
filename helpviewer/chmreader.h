#pragma once

#include "helpviewer/chmarchive.h"

#include <string>
#include <string_view>

namespace zv {

enum class ChmReadStatus {
    kOk,           // every object was read
    kCannotOpen,   // the file is missing or cannot be read
    kNotAHelpFile, // the file is not a compiled help file
    kDamaged,      // the reading failed part of the way: the archive holds what was read
};

// Reads every page, picture and system object of the compiled help file at path into archive,
// through chmlib. chmlib trusts the structures of the file it reads, and a damaged file can
// make it crash or loop; so it reads in a child process that hands the objects over through a
// pipe, and a reader that crashes, outlives its time or sends too much leaves kDamaged here.
// A file whose listing of objects goes round, which would keep chmlib reading until its time
// is up, is kDamaged at once, with nothing read.
ChmReadStatus ReadChmFile(const std::string &path, ChmArchive &archive);

// The stream in which the reader hands the objects over: per object its path, a NUL and the
// length as 8 bytes, least significant first, then the bytes; an empty path ends the stream.
std::string EncodeChmObject(std::string_view path, std::string_view content);
std::string EncodeChmEnd();
// Adds every complete object of stream to archive. True when the stream is well formed and
// ends with the end mark; a cut or garbled stream keeps the objects before the fault.
bool DecodeChmStream(std::string_view stream, ChmArchive &archive);

} // namespace zv

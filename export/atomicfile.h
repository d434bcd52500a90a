#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace zv {

// The one way the program writes a file, keeping what the user set on it.
//
// The content goes to a new file beside the target, which first gets the old file's owner,
// extended attributes (access lists among them) and permission bits, so it is never more open
// than the old one; every step is checked (write, flush to the disk, close) and only a complete
// copy is renamed over the target. On any failure the old file stays exactly as it was and the
// new one is removed. With keepTimes the old access and modification times are kept (where
// the system lets us set them: not on another user's file written in place).
//
// Where a rename would lose something (a second hard link, a folder we may not write, an owner
// or an attribute we cannot give a new file, a file mounted over the name), the file is
// rewritten in place, with a copy of its old content in memory put back on failure (see
// WriteInPlace for the bound).
//
// Symbolic links are followed, in chains, and their target is written (made if missing); the
// links stay. Refused without being opened: a pipe, a device or a socket, and a folder. Refused:
// a file the user may not write, as the system decides when it is opened for writing.
//
// Returns an empty string on success, otherwise a description of the failure ("No space left
// on device").
std::string WriteFileAtomically(const std::string &path, std::string_view content,
                                bool keepTimes = false);

// One file of WriteFilesAtomically.
struct FileWrite
{
    std::string path;
    std::string_view content;
    bool keepTimes = false;
};

// Writes files that belong together (a picture and its results), each as WriteFileAtomically
// writes one, but synced to the disk together: every new file is written, then all are flushed,
// then each is renamed over its target in order, and each folder is synced once. A file is
// written only when every file before it was. Returns how many were written, from the first;
// failure then says why the next one was not.
size_t WriteFilesAtomically(std::span<const FileWrite> files, std::string &failure);

} // namespace zv

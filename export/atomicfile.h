#pragma once

#include <string>
#include <string_view>

namespace zv {

// The one way the program writes a file. The content goes to a new file beside the target,
// every step checked (write, flush to the disk, close); only a complete copy is renamed over
// the target, so on any failure the old file stays exactly as it was and the new one is
// removed. A link is followed: its target is replaced, the link stays. The new file keeps an
// old file's permission bits and, with keepTimes, its access and modification times.
// A target that exists but is not a regular file (a device such as /dev/full) is written in
// place, since nothing can be renamed over it.
//
// Returns an empty string on success, otherwise the system's description of the failure
// ("No space left on device").
std::string WriteFileAtomically(const std::string &path, std::string_view content,
                                bool keepTimes = false);

} // namespace zv

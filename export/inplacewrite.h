#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace zv {

// The most old content kept in memory while a file is rewritten in place: far above what the
// program writes (a plot's picture, a few lines of text), and a bound on what a wrong target
// can cost.
inline constexpr size_t kInPlaceCopyLimit = size_t(64) << 20;

// Rewrites the regular file `path`, open for writing as `fd` and described by `old`, with
// content, for when a new file cannot be renamed over it without losing something (a hard link,
// a folder we may not write, an owner or attribute we cannot give a new file). The old content
// is read into memory first (at most kInPlaceCopyLimit bytes); if any step of the write fails
// (write, truncate, flush to the disk) it is written back, and the old times are kept. With
// keepTimes a successful write keeps them too. Returns an empty string on success, otherwise
// the failure, saying so when the old content could not be put back.
std::string WriteInPlace(const std::string &path, int fd, const struct stat &old,
                         std::string_view content, bool keepTimes);

} // namespace zv

#pragma once

namespace zv {

// The program's version, from the project's version in the build.
inline constexpr int kVersionMajor = ZV_VERSION_MAJOR;
inline constexpr int kVersionMinor = ZV_VERSION_MINOR;

} // namespace zv

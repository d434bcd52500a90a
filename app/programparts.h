#pragma once

// `zerovane` itself is a small launcher: it loads the part of the program a command needs, so
// that a batch export never loads the widget libraries the windows need (their loading and
// linking alone once cost more than the whole export). Each part is a module in the program's
// folder (a build) or in libexec/zerovane beside its bin folder (an install), with one entry point.

namespace zv {

// The batch export (app/batchexport.h), on Qt's GUI library alone. awaitFonts returns once the
// font configuration, which the launcher reads meanwhile on a thread of its own, is ready; the
// part calls it before it first draws a text. Ends the process with the exit status.
using BatchPartEntry = int (*)(int argc, char *argv[], void (*awaitFonts)());
inline constexpr const char *kBatchPart = "zerovane-batch.so";
inline constexpr const char *kBatchEntry = "ZerovaneBatch";

// The window program. Returns the exit status.
using WindowPartEntry = int (*)(int argc, char *argv[]);
inline constexpr const char *kWindowPart = "zerovane-window.so";
inline constexpr const char *kWindowEntry = "ZerovaneWindow";

} // namespace zv

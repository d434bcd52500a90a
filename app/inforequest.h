#pragma once

#include <optional>

namespace zv {

// `zerovane --help` and `zerovane --version`: prints the usage or the version on standard output
// and returns the exit status 0, before anything needs a display. Returns nothing for any other
// command line, and when a file of that name is in the current folder: it opens as a project.
std::optional<int> AnswerInfoRequest(int argc, char *argv[]);

} // namespace zv

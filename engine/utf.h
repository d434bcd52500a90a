#pragma once

#include <string>
#include <string_view>

namespace zv {

// Conversions at the edges of the program (command line, console output). Invalid input
// becomes U+FFFD instead of failing.
std::u16string FromUtf8(std::string_view text);
std::string ToUtf8(std::u16string_view text);

} // namespace zv

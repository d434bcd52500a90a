#pragma once

#include <string>
#include <string_view>

namespace zv {

// Conversions at the edges of the program (command line, console output). Invalid input
// becomes U+FFFD instead of failing.
std::u16string FromUtf8(std::string_view text);
std::string ToUtf8(std::u16string_view text);

// Lossless forms for bytes that should be UTF-8 but need not be (file names): valid UTF-8 is
// decoded as usual, and each byte b of an invalid sequence travels as the lone surrogate
// U+DC00 + b and turns back into that byte on the way out (Python's "surrogateescape").
std::u16string FromUtf8KeepingBytes(std::string_view bytes);
std::string ToUtf8KeepingBytes(std::u16string_view text);

} // namespace zv

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The results text of a graph window, as its file holds it (UTF-8, every line ended by CR LF):
// "f = 0"; "[a ; b]" with the ends rounded to 8 decimals and written with separator; an empty
// line; the number of roots in words (or, when the scan could evaluate f nowhere, the engine's
// text for scanError); the root list's lines as they stand; an empty line; a credit line.
std::string ResultsText(std::u16string_view function, double a, double b,
                        const std::vector<std::u16string> &rootLines, char16_t separator,
                        int16_t scanError = 0);

} // namespace zv

#pragma once

// What a project file holds, read from and written to its bytes; plain C++, so that the reader
// can be tried on any bytes without a window or a file.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zv {

// A project file: four double-quoted lines ended by CR LF (marker, function, a, b), in a
// single-byte code page, numbers with "." and a leading blank when not negative.
inline constexpr int kProjectFieldCount = 4;
using ProjectFields = std::array<std::string, kProjectFieldCount>;

// The longest function a project may hold: what an entry field of the program can hold, so
// that every equation that opens can also be edited and typed again.
inline constexpr int kMaxFunctionLength = 32767;

// Room for the four fields of any project whose function an entry field can hold, with
// generous blanks and number texts; a reader takes no more of a file than this.
inline constexpr size_t kProjectReadLimit = 256 * 1024;

// Reads the four fields of a project text. A field starts after any blanks; a quoted one runs
// to the next quote, any other one to the next comma or line end. Returns false when the text
// ends before the fourth field starts. `end`, when given, receives the position right after
// the fourth field (and its separator), so a caller that read only part of a file can tell
// whether the fields were complete.
bool SplitProjectFields(std::string_view content, ProjectFields &fields, size_t *end = nullptr);

// The number of a field as the reader takes it: commas become points, then the longest leading
// number is read; text with no leading number gives 0.
double ReadProjectNumber(std::string_view text);

// The whole file for one equation (marker first).
std::string FormatProjectText(std::string_view function, double a, double b);

enum class ProjectTextStatus {
    Ok,
    TooFewFields, // the text ends before the fourth field
    TooLong,      // the function is longer than kMaxFunctionLength, or the fields run past the
                  // part of the file that was read
    BadEquation,  // the function fails the checker
    Overflow,     // a or b is beyond the double range
    NoInterval,   // a is not below b (a and b hold them)
    TooWide,      // b - a is beyond the double range (a and b hold them)
};

struct ProjectText
{
    ProjectTextStatus status = ProjectTextStatus::TooFewFields;
    std::u16string function; // the translated function (as far as it went on BadEquation)
    double a = 0.0;
    double b = 0.0;
};

// Reads a project from the first bytes of its file (at most kProjectReadLimit of them); `cut`
// says that the file goes on past them. The function passes through the checker.
ProjectText ParseProjectText(std::string_view content, bool cut);

} // namespace zv

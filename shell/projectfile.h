#pragma once

#include <QString>
#include <array>
#include <string>
#include <string_view>

class QWidget;

namespace zv {

// A project file: four double-quoted lines ended by CR LF (marker, function, a, b), in a
// single-byte code page, numbers with "." and a leading blank when not negative.
inline constexpr int kProjectFieldCount = 4;
using ProjectFields = std::array<std::string, kProjectFieldCount>;

// Reads the four fields of a project text. A field starts after any blanks; a quoted one runs
// to the next quote, any other one to the next comma or line end. Returns false when the text
// ends before the fourth field starts. `end`, when given, receives the position right after
// the fourth field (and its separator), so a caller that read only part of a file can tell
// whether the fields were complete.
bool SplitProjectFields(std::string_view content, ProjectFields &fields, size_t *end = nullptr);

// The longest function a project may hold: what an entry field of the program can hold, so
// that every equation that opens can also be edited and typed again.
inline constexpr int kMaxFunctionLength = 32767;

// The number of a field as the reader takes it: commas become points, then the longest leading
// number is read; text with no leading number gives 0.
double ReadProjectNumber(std::string_view text);

// The whole file for one equation (marker first).
std::string FormatProjectText(std::string_view function, double a, double b);

enum class ProjectReadStatus { Ok, FileError, BadEquation };

struct ProjectReadResult
{
    ProjectReadStatus status = ProjectReadStatus::FileError;
    QString failure;  // the system's description when status is FileError
    QString function; // the translated function text (as far as it went on BadEquation)
    double a = 0.0;
    double b = 0.0;
};

// Reads a project file and passes its function through the checker; shows nothing. Reads no
// more of the file than four fields of a valid project can take: a longer function, or fields
// that do not end within that much, are a FileError.
ProjectReadResult LoadProjectFile(const QString &path);

// Writes a project file; a failure leaves any previous file as it was (see WriteFileAtomically).
// Returns the system's description of a failure, or empty.
QString SaveProjectFile(const QString &path, const QString &function, double a, double b);

// Reads a project into PendingGraph. On failure shows the reader's message box over parent,
// puts what failed into *failure when given, and returns false; PendingGraph may then hold part
// of the project.
bool ReadProject(const QString &path, QWidget *parent = nullptr, QString *failure = nullptr);

} // namespace zv

#pragma once

#include "shell/projecttext.h"

#include <QString>

class QWidget;

namespace zv {

enum class ProjectReadStatus { Ok, FileError, BadEquation, BadInterval };

struct ProjectReadResult
{
    ProjectReadStatus status = ProjectReadStatus::FileError;
    QString failure;  // what failed: the system's description (FileError), the checker's
                      // message (BadEquation) or the interval's (BadInterval)
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

// The project a typed path names: the path as it stands when there is an entry of that name,
// otherwise without its double quotes (a path quoted as a whole, as a command line gives it).
QString TypedProjectPath(const QString &typed);

// Reads a project into PendingGraph. On failure shows the reader's message box over parent,
// puts what failed into *failure when given, and returns false; PendingGraph may then hold part
// of the project.
bool ReadProject(const QString &path, QWidget *parent = nullptr, QString *failure = nullptr);

} // namespace zv

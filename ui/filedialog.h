#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zv {

enum class FileDialogMode { Open, Save };

struct FileDialogRequest
{
    FileDialogMode mode = FileDialogMode::Open;
    QString title;
    QString filter;        // Qt form: "Zerovane Project (*.zvn)"
    QString defaultSuffix; // without the point
    QString folder;        // empty: wherever the platform opens
    // A save dialog's proposed name (empty: none), and whether it asks before an existing
    // file is chosen.
    QString fileName;
    bool confirmOverwrite = true;
};

// Chooses file names in place of the user (tests). An empty responder restores the dialog.
using FileDialogResponder = std::function<QString(const FileDialogRequest &)>;
void SetFileDialogResponder(FileDialogResponder responder);

// Shows an open or save dialog (a save dialog confirms overwriting). Returns the chosen name
// as the file system knows it (see PathOnDisk), or an empty string when the user cancelled.
QString ChooseFile(QWidget *parent, const FileDialogRequest &request);

// Turns a filter of "description|pattern" pairs into Qt's form; a description that already
// names its pattern in brackets is kept as it is.
QString QtFileFilter(const QString &filter);

} // namespace zv

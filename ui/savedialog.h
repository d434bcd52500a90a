#pragma once

#include <QString>

class QWidget;

namespace zv {

// Asks where to save a file, on top of ChooseFile (so tests answer it the same way). In:
// fileName proposed, askOverwrite, filter as "description|pattern" pairs, filterIndex (from 1),
// initialFolder, title, defaultExtension (without the point), owner (nullptr: none), flags.
// When the user chooses a file: fileName is its full path, fileTitle its name without the
// folder, flags the flags the dialog was shown with, filterIndex the pair in force and filter
// that pair (description, NUL, pattern); returns true. When the user cancels: the strings
// become empty, flags and filterIndex 0; returns false.
bool ShowSaveDialog(QString &fileName, QString &fileTitle, bool askOverwrite, QString &filter,
                    int &filterIndex, const QString &initialFolder, const QString &title,
                    const QString &defaultExtension, QWidget *owner, int &flags);

} // namespace zv

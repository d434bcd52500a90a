#pragma once

#include <QString>
#include <QStringList>

namespace zv {

class MainWindow;

// The command line as one text: the arguments after the program's name joined with one blank.
QString JoinCommandLine(const QStringList &arguments);

// Whether the command line asks for the batch export: it begins with "-x " (minus, x, blank).
bool IsBatchCommandLine(const QString &commandLine);

// Whether the arguments ask for a picture export: "--export PICTURE PROJECT" after the
// program's name.
bool IsExportCommand(const QStringList &arguments);

// Runs start-up in its order: interface texts, evaluation host, the batch export when the
// command line asks for it, help file check, cursor
// pictures, stored theme, then the project named on the
// command line (or, with none, the wizard). Shows the main window. Returns false when the program
// must end, with the exit status in *exitStatus: 0 after a batch export that wrote both files, 1
// when a project could not be read (its message was shown) or a batch file was not written (one
// line on stderr says which). An export ("--export PICTURE PROJECT") ends the same way, after
// writing the picture in the format its extension names and PICTURE.txt.
bool StartUp(MainWindow &main, const QStringList &arguments, int *exitStatus = nullptr);

} // namespace zv

#pragma once

#include <QStringList>

namespace zv {

class MainWindow;

// Whether the arguments ask for an export without any window: the command line (the arguments
// after the program's name joined with one blank) begins with "-x " (minus, x, blank), or the
// first argument is "--batch" or "--export".
bool IsBatchCommand(const QStringList &arguments);

// Runs that export after filling the interface texts and starting the evaluation host. Each
// project is read, drawn and searched for roots as a graph window does when it opens, and its
// picture (at the plot's opening size, on the logo backdrop) and results are written, synced
// together; no window or widget is made, but a QGuiApplication must exist.
// - "-x PROJECT": the rest of the command line is the path, its double quotes removed unless
//   it names an entry as it stands; writes PROJECT.jpg and PROJECT.txt.
// - "--batch PROJECT...": each argument as it stands, the same two files each, going on after
//   a failure.
// - "--export PICTURE PROJECT": the picture in the format its extension names (with the grid
//   when the user has it on) and PICTURE.txt.
// Returns the exit status: 0 when every file was written; otherwise 1, with one line on stderr
// for each project that failed.
int RunBatchCommand(const QStringList &arguments);

// Runs start-up in its order: interface texts, evaluation host, the batch export when the
// command line asks for it (RunBatchCommand), help file check, cursor pictures, stored theme,
// then the project named on the command line (or, with none, the wizard). Shows the main
// window. Returns false when the program must end, with the exit status in *exitStatus: that of
// a batch export, or 1 when a project could not be read (its message was shown).
bool StartUp(MainWindow &main, const QStringList &arguments, int *exitStatus = nullptr);

} // namespace zv

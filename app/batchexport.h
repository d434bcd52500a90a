#pragma once

#include <QStringList>

namespace zv {

// The export a command line asks for, without any window (the launcher chose it): the
// interface texts are filled and the evaluation host started, then each project is read, drawn
// and searched for roots as a graph window does when it opens, and its picture (at the plot's
// opening size, on the logo backdrop) and results are written, synced to the disk together.
// Needs a QGuiApplication; makes no widget.
// - "-x PROJECT": the rest of the command line is the path, its double quotes removed unless
//   it names an entry as it stands; writes PROJECT.jpg and PROJECT.txt.
// - "--batch PROJECT...": each argument as it stands, the same two files each, going on after
//   a failure.
// - "--export PICTURE PROJECT": the picture in the format its extension names (with the grid
//   when the user has it on) and PICTURE.txt.
// beforeFirstPicture runs once, before the first text is drawn. Returns the exit status: 0 when
// every file was written; otherwise 1, with one line on stderr for each project that failed.
int RunBatchCommand(const QStringList &arguments, void (*beforeFirstPicture)());

} // namespace zv

#pragma once

#include <QStringList>

namespace zv {

class MainWindow;

// Runs the window program's start-up in its order: interface texts, evaluation host, help file
// check, cursor pictures, stored theme, then the project named on the command line (the
// arguments after the program's name joined with one blank, double quotes removed unless it
// names an entry as it stands), or with none the wizard. Shows the main window. Returns false
// when the program must end, with the exit status 1 in *exitStatus: the project could not be
// read (its message was shown). A batch export never comes here: the program starts it before
// any window exists (app/batchexport.h).
bool StartUp(MainWindow &main, const QStringList &arguments, int *exitStatus = nullptr);

} // namespace zv

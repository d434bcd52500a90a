#pragma once

#include <QString>
#include <QStringList>

namespace zv {

class MainWindow;

// The command line as one text: the arguments after the program's name joined with one blank.
QString JoinCommandLine(const QStringList &arguments);

// Runs start-up in its order: interface texts, evaluation host, help file check, cursor
// pictures, stored theme, then the project named on the command line (or nothing). Shows the
// main window. Returns false when the program must end: the project could not be read (its
// message was shown).
bool StartUp(MainWindow &main, const QStringList &arguments);

} // namespace zv

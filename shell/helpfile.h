#pragma once

#include <QString>

class QWidget;

namespace zv {

class MainWindow;

// The window definition inside the help file that every help request opens.
inline constexpr char kHelpWindowName[] = "win";

// The help file recorded at start, or empty for the whole run when it was missing.
QString &HelpFilePath();

// Records "Readme.chm" in folder as the help file when it is a regular file that can be opened;
// otherwise reports it missing in a message box over parent. Returns whether the file was found.
bool CheckHelpFile(const QString &folder, QWidget *parent = nullptr);

// Start-up's help step: checks for the help file in folder and, when it is there, gives main
// a help viewer on it and lets every window's help request open it. Without the file, help
// requests do nothing. Returns whether the file was found.
bool SetUpHelp(MainWindow &main, const QString &folder);

} // namespace zv

#pragma once

#include <QString>

class QWidget;

namespace zv {

class MainWindow;

// The window definition inside the help file that every help request opens.
inline constexpr char kHelpWindowName[] = "win";

// The help file recorded at start, or empty for the whole run when it was missing.
QString &HelpFilePath();

// Records "Readme.chm" as the help file, from programFolder when it is there (a build tree), else
// from the installed data folder found relative to programFolder (share/zerovane beside bin),
// when it is a regular file that can be opened; otherwise reports it missing in a message box
// over parent. Returns whether it was found.
bool CheckHelpFile(const QString &programFolder, QWidget *parent = nullptr);

// Start-up's help step: checks for the help file from programFolder and, when it is there, gives
// main a help viewer on it and lets every window's help request open it. Without the file, help
// requests do nothing. Returns whether the file was found.
bool SetUpHelp(MainWindow &main, const QString &programFolder);

} // namespace zv

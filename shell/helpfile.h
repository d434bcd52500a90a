#pragma once

#include <QString>

class QWidget;

namespace zv {

// The help file recorded at start, or empty for the whole run when it was missing.
QString &HelpFilePath();

// Records "Readme.chm" in folder as the help file when it exists; otherwise reports it missing
// in a message box over parent. Returns whether the file was found.
bool CheckHelpFile(const QString &folder, QWidget *parent = nullptr);

} // namespace zv

#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

namespace zv {

// The program's logo as the windows' icon.
QIcon ProgramIcon();

// The About window's three lines: "Zerovane" with the version, the author line, the year.
QString AboutText();

// "About Zerovane": the logo above the program's name and version, its author and its year.
// Fixed in size, with no button of its own; the window's close button (or Esc) closes it.
class AboutWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AboutWindow(QWidget *parent = nullptr);
};

} // namespace zv

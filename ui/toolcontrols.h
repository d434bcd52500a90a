#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zv {

// The controls that the tool windows are built of, named and in the fonts of
// their layout: caption labels in Arial 9.75 pt, fields 129 pixels wide and buttons of at
// least 65 by 25 pixels in Tahoma 8.25 pt. Fields and buttons carry what assistive tools read:
// a field's tip is its description, a button's description says what it does.
QLabel *CaptionLabel(const QString &name, const QString &text, QWidget *parent);
QLineEdit *ExpressionBox(const QString &name, const QString &tip, QWidget *parent);
QPushButton *CommandButton(const QString &name, const QString &caption, const QString &description,
                           QWidget *parent);

// Makes caption the label of field: Alt and its letter, and the name assistive tools read
// ("f   =" names the field "f").
void LabelField(QLabel *caption, QLineEdit *field);

} // namespace zv

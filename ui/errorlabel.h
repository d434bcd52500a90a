#pragma once

#include <QLabel>

namespace zv {

// The error label of the tool windows: two lines high across the window,
// hidden until a command fails, and keeping its place while hidden so that the window does
// not change size. It stands on its own opaque field colour with the field text colour, so
// that a theme's text colour (white in two themes) never makes the message unreadable.
class ErrorLabel : public QLabel
{
public:
    ErrorLabel(const QString &name, QWidget *parent);

    // Shows text, or hides the label (keeping its text) when shown is false.
    void Show(bool shown, const QString &text);
};

} // namespace zv

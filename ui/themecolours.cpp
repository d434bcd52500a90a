#include "ui/themecolours.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPalette>
#include <QWidget>

namespace zv {

namespace {

QString ControlPrefix(const QWidget *control)
{
    return control->objectName().left(3).toLower();
}

void SetPaletteColor(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

void SetWindowBackground(QWidget *window, const QColor &back)
{
    // A frame window's own surface is hidden behind its document area, so the area takes the
    // colour; the menu and status bars keep the desktop's colours.
    if (auto *frame = qobject_cast<QMainWindow *>(window)) {
        if (auto *area = qobject_cast<QMdiArea *>(frame->centralWidget())) {
            area->setBackground(back);
            return;
        }
    }
    window->setAutoFillBackground(true);
    SetPaletteColor(window, QPalette::Window, back);
}

void ColourControls(QWidget *parent, const QColor &back, const QColor &fore)
{
    for (QObject *child : parent->children()) {
        auto *control = qobject_cast<QWidget *>(child);
        // Other windows (graph windows inside the main window, dialogs) are coloured on their
        // own turn.
        if (control == nullptr || control->isWindow() || qobject_cast<QMdiSubWindow *>(control))
            continue;
        const QString prefix = ControlPrefix(control);
        if (prefix == QLatin1String("lbl")) {
            SetPaletteColor(control, QPalette::WindowText, fore);
        } else if (prefix == QLatin1String("lst")) {
            SetPaletteColor(control, QPalette::Text, fore);
            SetPaletteColor(control, QPalette::Base, back);
        } else if (prefix == QLatin1String("fra")) {
            control->setAutoFillBackground(true);
            SetPaletteColor(control, QPalette::Window, back);
        }
        ColourControls(control, back, fore);
    }
}

} // namespace

void ApplyThemeByPrefix(QWidget *window, const ThemeColours &colours)
{
    if (window == nullptr)
        return;
    SetWindowBackground(window, colours.background);
    ColourControls(window, colours.background, colours.foreground);
}

} // namespace zv

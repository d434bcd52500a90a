#include "ui/themecolours.h"

#include "ui/themepalette.h"

#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPalette>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QWidget>

namespace zv {

namespace {

constexpr double kReadOnlyShade = 0.12; // how far a read-only field's ground leans to the text

QString ControlPrefix(const QWidget *control)
{
    return control->objectName().left(3).toLower();
}

QColor Mixed(const QColor &from, const QColor &to, double share)
{
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * share),
                            float(from.greenF() + (to.greenF() - from.greenF()) * share),
                            float(from.blueF() + (to.blueF() - from.blueF()) * share));
}

// Controls that paint their own faces and the text on them in the desktop's colours.
bool IsChrome(const QWidget *control)
{
    return qobject_cast<const QToolBar *>(control) || qobject_cast<const QMenuBar *>(control) ||
           qobject_cast<const QStatusBar *>(control) || qobject_cast<const QTabWidget *>(control) ||
           qobject_cast<const QTabBar *>(control) || qobject_cast<const QDockWidget *>(control);
}

// Every role set, so that none is taken from the themed window around the control.
void KeepDesktopColours(QWidget *control)
{
    QPalette desktop = QApplication::palette(control);
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            desktop.setColor(g, r, desktop.color(g, r));
        }
    }
    control->setPalette(desktop);
}

// A surface in the theme's colours: its text, a dimmer text when disabled, and a selection
// and focus frame that stand out from it.
void SetSurface(QWidget *surface, const ThemeColours &colours)
{
    const QPalette desktop = QApplication::palette(surface);
    const Selection selection = ReadableSelection(
        desktop.color(QPalette::Active, QPalette::Highlight),
        desktop.color(QPalette::Active, QPalette::HighlightedText), colours.background);
    QPalette palette = surface->palette();
    palette.setColor(QPalette::Window, colours.background);
    palette.setColor(QPalette::WindowText, colours.foreground);
    palette.setColor(QPalette::Disabled, QPalette::WindowText,
                     Mixed(colours.foreground, colours.background, 0.5));
    palette.setColor(QPalette::Highlight, selection.highlight);
    palette.setColor(QPalette::HighlightedText, selection.text);
    surface->setPalette(palette);
    surface->setAutoFillBackground(true);
}

void SetTextColour(QWidget *control, const QColor &colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    control->setPalette(palette);
}

void SetReadOnlyLook(QLineEdit *field, const ThemeColours &colours)
{
    const ThemeColours look = ReadableColours(
        {Mixed(colours.background, colours.foreground, kReadOnlyShade), colours.foreground});
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, look.background);
    palette.setColor(QPalette::Text, look.foreground);
    field->setPalette(palette);
}

// The style writes the titles of child windows white on the highlight, or black on the window
// colour while they are inactive, whatever the desktop's colours: both grounds are made to
// carry them.
void SetTitleColours(QMdiArea *area)
{
    const QPalette desktop = QApplication::palette(area);
    QPalette palette = area->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(
            group, QPalette::Highlight,
            ReadableColours({desktop.color(group, QPalette::Highlight), Qt::white}).background);
    }
    palette.setColor(
        QPalette::Inactive, QPalette::Window,
        ReadableColours({desktop.color(QPalette::Inactive, QPalette::Window), Qt::black})
            .background);
    area->setPalette(palette);
}

void ColourControls(QWidget *parent, const ThemeColours &colours)
{
    for (QObject *child : parent->children()) {
        auto *control = qobject_cast<QWidget *>(child);
        // Other windows (graph windows inside the main window, dialogs) are coloured on their
        // own turn.
        if (control == nullptr || control->isWindow() || qobject_cast<QMdiSubWindow *>(control))
            continue;
        if (IsChrome(control)) {
            KeepDesktopColours(control);
            continue;
        }
        const QString prefix = ControlPrefix(control);
        if (prefix == QLatin1String("lbl"))
            SetTextColour(control, colours.foreground);
        else if (prefix == QLatin1String("lst"))
            SetListColours(control, colours);
        else if (prefix == QLatin1String("fra"))
            SetSurface(control, colours);
        if (auto *field = qobject_cast<QLineEdit *>(control); field && field->isReadOnly())
            SetReadOnlyLook(field, colours);
        ColourControls(control, colours);
    }
}

} // namespace

void ApplyThemeByPrefix(QWidget *window, const ThemeColours &colours)
{
    if (window == nullptr)
        return;
    const ThemeColours readable = ReadableColours(colours);
    // A frame window's own surface is hidden behind its document area, so the area takes the
    // colour; the menu and status bars keep the desktop's colours.
    auto *frame = qobject_cast<QMainWindow *>(window);
    if (auto *area = frame ? qobject_cast<QMdiArea *>(frame->centralWidget()) : nullptr) {
        area->setBackground(readable.background);
        SetTitleColours(area);
    } else {
        SetSurface(window, readable);
    }
    ColourControls(window, readable);
}

} // namespace zv

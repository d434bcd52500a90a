#include "ui/themefollower.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

namespace zv {
namespace {

const ThemeColours kSky{QColor(137, 190, 239), Qt::red};
const ThemeColours kGrey{QColor(192, 192, 192), Qt::black};
const ThemeColours kClassical{Qt::black, Qt::white};

QWidget *Control(QWidget *parent, const char *name)
{
    auto *control = new QLabel(QStringLiteral("f ="), parent);
    control->setObjectName(QLatin1String(name));
    return control;
}

TEST(ApplyThemeByPrefix, ColoursControlsByTheirNamePrefix)
{
    QWidget window;
    const QPalette original = window.palette();
    QWidget *frame = Control(&window, "fraInterval");
    QWidget *nested = Control(&window, "Nested");
    nested->setWindowFlag(Qt::Window);
    // Each control, a colour of its, and that colour after the theme: "lab" and "cmd" are no
    // theme prefixes, and a window inside is coloured on its own turn.
    const std::tuple<QWidget *, QPalette::ColorRole, QColor> rows[] = {
        {&window, QPalette::Window, kSky.background},
        {Control(&window, "LstRoot"), QPalette::Text, kSky.foreground},
        {Control(&window, "lstRoot"), QPalette::Base, kSky.background},
        {Control(&window, "lbl2"), QPalette::WindowText, kSky.foreground},
        {frame, QPalette::Window, kSky.background},
        {Control(frame, "LblInside"), QPalette::WindowText, kSky.foreground},
        {Control(&window, "Label1"), QPalette::WindowText, original.color(QPalette::WindowText)},
        {Control(&window, "Cmd_Radacini"), QPalette::Text, original.color(QPalette::Text)},
        {Control(nested, "lblOther"), QPalette::WindowText, original.color(QPalette::WindowText)},
    };
    ApplyThemeByPrefix(&window, kSky);
    for (const auto &[control, role, colour] : rows)
        EXPECT_EQ(control->palette().color(role), colour) << control->objectName().toStdString();
    EXPECT_TRUE(frame->autoFillBackground());
}

TEST(FollowTheme, AppliesNowAndAgainAtEachActivation)
{
    QWidget window;
    QWidget *caption = Control(&window, "lblCaption");
    FollowTheme(&window, kGrey);
    EXPECT_EQ(window.palette().color(QPalette::Window), kGrey.background);
    ApplyThemeByPrefix(&window, kClassical); // something else recolours it meanwhile
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return caption->palette().color(QPalette::WindowText) == kGrey.foreground; }));

    FollowTheme(&window, kClassical); // replaces the colours kept, adds no second follower
    EXPECT_EQ(window.palette().color(QPalette::Window), kClassical.background);
    EXPECT_EQ(window.children().size(), 2);
}

TEST(FollowTheme, ChildWindowOfADocumentAreaFollowsItsFrame)
{
    QMdiArea area;
    auto *child = new QWidget;
    QWidget *caption = Control(child, "lblCaption");
    FollowTheme(child, kGrey);
    QMdiSubWindow *frame = area.addSubWindow(child);
    QMdiSubWindow *other = area.addSubWindow(new QWidget);
    area.show();
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return area.isActiveWindow(); }));
    // Switching between child windows sends them no activation event; the frame tells.
    area.setActiveSubWindow(other);
    ApplyThemeByPrefix(child, kClassical);
    area.setActiveSubWindow(frame);
    EXPECT_EQ(caption->palette().color(QPalette::WindowText), kGrey.foreground);
}

} // namespace
} // namespace zv

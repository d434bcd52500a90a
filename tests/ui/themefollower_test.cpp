#include "ui/themefollower.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

namespace zv {
namespace {

const ThemeColours kGrey{QColor(192, 192, 192), Qt::black};
const ThemeColours kClassical{Qt::black, Qt::white};

// A window with one themed caption; its text colour tells which theme was applied last.
QLabel *Caption(QWidget *window)
{
    auto *label = new QLabel(QStringLiteral("f ="), window);
    label->setObjectName(QStringLiteral("lblCaption"));
    return label;
}

TEST(FollowTheme, AppliesNowAndAgainAtEachActivation)
{
    QWidget window;
    QLabel *caption = Caption(&window);
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
    QLabel *caption = Caption(child);
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

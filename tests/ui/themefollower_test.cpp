#include "ui/themefollower.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

namespace zv {
namespace {

const ThemeColours kGrey{QColor(192, 192, 192), Qt::black};
const ThemeColours kClassical{Qt::black, Qt::white};

QColor LabelText(const QWidget &window)
{
    return window.findChild<QLabel *>(QStringLiteral("lblCaption"))
        ->palette()
        .color(QPalette::WindowText);
}

TEST(FollowTheme, AppliesNowAndAgainAtEachActivation)
{
    QWidget window;
    new QLabel(QStringLiteral("f ="), &window);
    window.findChild<QLabel *>()->setObjectName(QStringLiteral("lblCaption"));
    FollowTheme(&window, kGrey);
    EXPECT_EQ(window.palette().color(QPalette::Window), kGrey.background);
    EXPECT_EQ(LabelText(window), kGrey.foreground);

    // Something else recolours the window; becoming active brings the theme back.
    ApplyThemeByPrefix(&window, kClassical);
    window.show();
    window.activateWindow();
    QTRY_COMPARE(LabelText(window), kGrey.foreground);

    // A second call replaces the colours kept (and adds no second follower).
    FollowTheme(&window, kClassical);
    EXPECT_EQ(window.palette().color(QPalette::Window), kClassical.background);
    EXPECT_EQ(window.children().size(), 2);
}

TEST(FollowTheme, ChildWindowOfADocumentAreaFollowsItsFrame)
{
    QMdiArea area;
    auto *child = new QWidget;
    auto *caption = new QLabel(QStringLiteral("a="), child);
    caption->setObjectName(QStringLiteral("lblCaption"));
    FollowTheme(child, kGrey);
    auto *frame = area.addSubWindow(child);
    auto *other = area.addSubWindow(new QWidget);
    area.show();
    area.setActiveSubWindow(other);

    ApplyThemeByPrefix(child, kClassical);
    area.setActiveSubWindow(frame);
    QTRY_COMPARE(LabelText(*child), kGrey.foreground);
}

} // namespace
} // namespace zv

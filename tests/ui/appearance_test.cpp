#include "ui/cursoricons.h"
#include "ui/designfont.h"
#include "ui/themefollower.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QTest>
#include <QToolBar>
#include <cstdlib>
#include <gtest/gtest.h>

namespace zv {
namespace {

const ThemeColours kSky{QColor(137, 190, 239), Qt::black};
const ThemeColours kGrey{QColor(192, 192, 192), Qt::black};
const ThemeColours kClassical{Qt::black, Qt::white};

QWidget *Control(QWidget *parent, const char *name)
{
    auto *control = new QLabel(QStringLiteral("f ="), parent);
    control->setObjectName(QLatin1String(name));
    return control;
}

// The prefixes choose the controls; the text colour goes with every ground the theme gives.
TEST(ApplyThemeByPrefix, ColoursControlsByTheirNamePrefixAndEachTextWithItsGround)
{
    QWidget window;
    const QPalette original = window.palette();
    QWidget *frame = Control(&window, "fraInterval");
    QWidget *nested = Control(&window, "Nested");
    nested->setWindowFlag(Qt::Window);
    auto *bar = new QToolBar(&window);
    // Each control, a colour of its, and that colour after the theme: "cmd" is no theme
    // prefix, a window inside is coloured on its own turn, a tool bar keeps the desktop's.
    const std::tuple<QWidget *, QPalette::ColorRole, QColor> rows[] = {
        {&window, QPalette::Window, kSky.background},
        {&window, QPalette::WindowText, kSky.foreground},
        {Control(&window, "LstRoot"), QPalette::Text, kSky.foreground},
        {Control(&window, "lstRoot"), QPalette::Base, kSky.background},
        {Control(&window, "lstRoots"), QPalette::Highlight, kSky.foreground},
        {Control(&window, "lstRoots"), QPalette::HighlightedText, kSky.background},
        {Control(&window, "lbl2"), QPalette::WindowText, kSky.foreground},
        {frame, QPalette::Window, kSky.background},
        {Control(frame, "LblInside"), QPalette::WindowText, kSky.foreground},
        {Control(&window, "Cmd_Radacini"), QPalette::Text, original.color(QPalette::Text)},
        {Control(nested, "lblOther"), QPalette::WindowText, original.color(QPalette::WindowText)},
        {bar, QPalette::Window, original.color(QPalette::Window)},
        {bar, QPalette::WindowText, original.color(QPalette::WindowText)},
    };
    auto *result = new QLineEdit(&window);
    result->setReadOnly(true);
    ApplyThemeByPrefix(&window, kSky);
    for (const auto &[control, role, colour] : rows)
        EXPECT_EQ(control->palette().color(role), colour) << control->objectName().toStdString();
    EXPECT_TRUE(frame->autoFillBackground());
    // A field the user cannot edit looks unlike an editable one (and reads: the window test).
    EXPECT_NE(result->palette().color(QPalette::Base), original.color(QPalette::Base));
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

// The layout's fonts come in outlines, so that they grow with the screen's scale (a font of
// pixels comes out tiny and spaced apart at 200 %).
TEST(DesignFont, TakesOnlyFontsDrawnInOutlines)
{
    for (const char *family : {"Tahoma", "Arial", "MS Sans Serif"}) {
        const QFont font = DesignFont(QLatin1String(family), 8.25);
        EXPECT_TRUE(QFontDatabase::isSmoothlyScalable(QFontInfo(font).family())) << family;
        EXPECT_EQ(font.pointSizeF(), 8.25) << family;
    }
}

QImage Picture(int number)
{
    return CursorIcon(number).pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

// Pixels whose coverage differs noticeably (smoothed edges of a mirror may differ by a shade).
int Differences(const QImage &one, const QImage &other)
{
    int count = one.size() == other.size() ? 0 : 1;
    for (int y = 0; count == 0 && y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            count += std::abs(qAlpha(one.pixel(x, y)) - qAlpha(other.pixel(x, y))) > 64 ||
                     std::abs(qGray(one.pixel(x, y)) - qGray(other.pixel(x, y))) > 64;
        }
    }
    return count;
}

TEST(CursorIcons, EightArrowsLoadedInTheirDirections)
{
    EXPECT_EQ(CursorIcon(100).shape(), Qt::ArrowCursor);
    LoadCursorIcons();
    for (int number = kFirstCursorIcon; number <= kLastCursorIcon; ++number) {
        EXPECT_EQ(CursorIcon(number).pixmap().deviceIndependentSize(), QSizeF(16, 16)) << number;
        EXPECT_EQ(CursorIcon(number).hotSpot(), QPoint(8, 8)) << number;
    }
    // Opposite directions mirror each other; the right arrow's tip is at the right and the
    // up-right arrow's head in the top-right corner.
    const std::tuple<int, int, bool> mirrors[] = {
        {103, 102, true}, {104, 101, false}, {105, 106, true}, {105, 107, false}, {107, 108, true}};
    for (const auto &[number, mirror, horizontally] : mirrors) {
        const QImage mirrored = Picture(number).mirrored(horizontally, !horizontally);
        EXPECT_EQ(Differences(mirrored, Picture(mirror)), 0) << number;
    }
    const double unit = Picture(103).width() / 16.0;
    const auto dark = [unit](int number, double x, double y) {
        const QRgb pixel = Picture(number).pixel(int(x * unit), int(y * unit));
        return qAlpha(pixel) == 255 && qGray(pixel) < 64;
    };
    EXPECT_EQ(std::vector({dark(103, 13, 8), dark(103, 2, 3), dark(105, 13, 3), dark(105, 3, 3)}),
              std::vector({true, false, true, false}));
}

} // namespace
} // namespace zv

#include "ui/themecolours.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(ApplyThemeByPrefix, ColoursControlsByTheirNamePrefix)
{
    const QColor back(137, 190, 239), fore(255, 0, 0);
    QWidget window;
    const QPalette original = window.palette();
    const auto make = [](auto *control, QWidget *parent, const char *name) {
        control->setParent(parent);
        control->setObjectName(QLatin1String(name));
        return control;
    };
    auto *list = make(new QListWidget, &window, "LstRoot");
    auto *label = make(new QLabel, &window, "lbl2");
    auto *frame = make(new QFrame, &window, "fraInterval");
    auto *inner = make(new QLabel, frame, "LblInside");
    auto *plain = make(new QLabel, &window, "Label1");
    auto *button = make(new QPushButton, &window, "Cmd_Radacini");
    auto *nested = make(new QWidget, &window, "Nested");
    nested->setWindowFlag(Qt::Window);
    auto *nestedLabel = make(new QLabel, nested, "lblOther");

    ApplyThemeByPrefix(&window, ThemeColours{back, fore});

    EXPECT_EQ(window.palette().color(QPalette::Window), back);
    EXPECT_EQ(list->palette().color(QPalette::Text), fore);
    EXPECT_EQ(list->palette().color(QPalette::Base), back);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), fore);
    EXPECT_EQ(frame->palette().color(QPalette::Window), back);
    EXPECT_TRUE(frame->autoFillBackground());
    EXPECT_EQ(inner->palette().color(QPalette::WindowText), fore);
    // "lab" and "cmd" are not theme prefixes, and a window inside is coloured on its own turn.
    EXPECT_EQ(plain->palette().color(QPalette::WindowText), original.color(QPalette::WindowText));
    EXPECT_EQ(button->palette().color(QPalette::ButtonText), original.color(QPalette::ButtonText));
    EXPECT_EQ(nestedLabel->palette().color(QPalette::WindowText),
              original.color(QPalette::WindowText));
}

} // namespace
} // namespace zv

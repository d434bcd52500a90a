#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace zv::test {

// A control of a tool window by its name.
template<typename T = QLineEdit>
T *Control(const QWidget &window, const char *name)
{
    T *control = window.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// Shows a window and waits until it is the active one, as a user would find it.
inline void ShowActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isActiveWindow(); }));
}

// Replaces a field's text by typing, as a user does after selecting it all.
inline void TypeInto(QLineEdit *field, const QString &text)
{
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
}

// Enter as the keyboard delivers it: down in the control with the focus, up in whichever
// control has the focus once the press has been handled (none when the window closed).
inline void PressEnter()
{
    QWidget *down = QApplication::focusWidget();
    ASSERT_NE(down, nullptr);
    QTest::keyPress(down, Qt::Key_Return);
    if (QWidget *up = QApplication::focusWidget())
        QTest::keyRelease(up, Qt::Key_Return);
}

} // namespace zv::test

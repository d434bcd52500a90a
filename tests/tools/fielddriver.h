#pragma once

#include "ui/helprequest.h"

#include "tests/support/messagerecorder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
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

// What a window shows, as "text|...|error|focus": the named fields' texts, the error label's
// text ("-" while hidden) and the control with the focus, "@caret" added for a field without a
// selection.
inline QString Shown(const QWidget &window, std::initializer_list<const char *> fields,
                     const char *errorLabel)
{
    QStringList shown;
    for (const char *name : fields)
        shown << Control(window, name)->text();
    const auto *label = Control<QLabel>(window, errorLabel);
    shown << (label->isVisible() ? label->text() : QStringLiteral("-"));
    const QWidget *focus = QApplication::focusWidget();
    shown << (focus ? focus->objectName() : QStringLiteral("nothing"));
    if (const auto *field = qobject_cast<const QLineEdit *>(focus);
        field && !field->hasSelectedText())
        shown.back() += '@' + QString::number(field->cursorPosition());
    return shown.join('|');
}

// The help topics that clicking the named controls asks for.
inline QStringList HelpTopics(const QWidget &window, std::initializer_list<const char *> controls)
{
    QStringList topics;
    SetHelpTopicHandler([&](QWidget *, const QString &topic) { topics << topic; });
    for (const char *name : controls)
        QTest::mouseClick(Control<QWidget>(window, name), Qt::LeftButton);
    SetHelpTopicHandler(nullptr);
    return topics;
}

} // namespace zv::test

#include "ui/entryfield.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>

namespace zv {
namespace {

// A window of three fields: an input with a hint that clears a result and hides a label, the
// result, and a field whose Enter action counts.
struct Form
{
    Form()
    {
        auto *layout = new QVBoxLayout(&window);
        for (QLineEdit *field : {input, result, counter})
            layout->addWidget(field);
        layout->addWidget(label);
        EntryField::Attach(input).Hint(QStringLiteral("Hint")).Clears({result}).Hides(label);
        EntryField::Attach(result).AsResult();
        EntryField::Attach(counter).OnEnter([this] { ++enters; });
        window.show();
        window.activateWindow();
    }

    QWidget window;
    QLineEdit *input = new QLineEdit(&window);
    QLineEdit *result = new QLineEdit(&window);
    QLineEdit *counter = new QLineEdit(&window);
    QLabel *label = new QLabel(QStringLiteral("error"), &window);
    int enters = 0;
};

TEST(EntryField, TypingClearsAndTipsFocusSelectsAllAndEnterActsOnRelease)
{
    Form form;
    const QString twenty(EntryField::kHintLength, QLatin1Char('x'));
    form.input->setText(twenty);
    EXPECT_EQ(form.input->toolTip(), QStringLiteral("Hint"));
    form.result->setText(QStringLiteral("9"));
    form.label->show();
    QTest::keyClick(form.input, Qt::Key_1);
    EXPECT_EQ(QStringList({form.input->toolTip(), form.result->text(),
                           form.label->isHidden() ? "hidden" : "shown"}),
              QStringList({twenty + '1', "", "hidden"}));
    QTest::keyClick(form.input, Qt::Key_Backspace);
    EXPECT_EQ(form.input->toolTip(), QStringLiteral("Hint"));
    // Counted in UTF-16 units: 10 characters outside the basic plane are 20 units.
    form.input->setText(QStringLiteral("𝑥").repeated(10));
    EXPECT_EQ(form.input->toolTip(), QStringLiteral("Hint"));

    // Focus by keyboard or by the program selects all.
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.window.isActiveWindow(); }));
    form.result->setText(QStringLiteral("12.5"));
    form.input->setFocus();
    QTest::keyClick(form.input, Qt::Key_Tab);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.result->hasFocus(); }));
    EXPECT_EQ(form.result->selectedText(), QStringLiteral("12.5"));

    form.input->setText(QStringLiteral("abc"));
    form.input->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(form.input->selectedText(), QStringLiteral("abc"));
    // A caret placed after the focus arrived wins.
    form.input->setCursorPosition(1);
    EXPECT_FALSE(form.input->hasSelectedText());

    // Enter acts on its release after a press in the window.
    form.counter->setFocus();
    QTest::keyPress(form.counter, Qt::Key_Return);
    EXPECT_EQ(form.enters, 0);
    QTest::keyRelease(form.counter, Qt::Key_Return);
    EXPECT_EQ(form.enters, 1);

    // Pressed in another field, let go here: acts. Let go without a press: nothing.
    QTest::keyPress(form.input, Qt::Key_Enter);
    QTest::keyRelease(form.counter, Qt::Key_Enter);
    EXPECT_EQ(form.enters, 2);
    QTest::keyRelease(form.counter, Qt::Key_Return);
    EXPECT_EQ(form.enters, 2);

    // Other keys and the repeats of a held key do nothing.
    QTest::keyClick(form.counter, Qt::Key_A);
    QTest::keyPress(form.counter, Qt::Key_Return);
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(form.counter, &repeat);
    EXPECT_EQ(form.enters, 2);
}

} // namespace
} // namespace zv

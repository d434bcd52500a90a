#include "tools/newton.h"

#include "fielddriver.h"
#include "ui/helprequest.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace zv {
namespace {

using test::Control;
using test::PressEnter;
using test::TypeInto;

struct NewtonForm
{
    explicit NewtonForm(const QString &function = {})
        : window(function)
    {
        test::ShowActive(window);
    }

    QLineEdit *F() { return Control(window, "txt_f"); }
    QLineEdit *X() { return Control(window, "Txt_X"); }
    QLineEdit *Val() { return Control(window, "Txt_Val"); }
    QLabel *Error() { return Control<QLabel>(window, "lblEroare"); }

    Newton window;
};

// Each row typed into a fresh window and searched by Enter in the initial value.
TEST(Newton, SearchesAndFailuresThroughTheWindow)
{
    const char *const noRoot = "No root has been found.";
    const struct
    {
        const char *name, *function, *initial, *value;
        const char *error; // nullptr: hidden
        const char *focus;
        int caret; // -1: the caret is not looked at
    } cases[] = {
        {"PositiveRoot", "x^2-4", "1", "2", nullptr, "Txt_X", -1},
        {"NegativeRoot", "x^2-4", "-1", "-2", nullptr, "Txt_X", -1},
        // The start is the root, although f' is 0 there.
        {"RootWhereTheSlopeVanishes", "x^2", "0", "0", nullptr, "Txt_X", -1},
        {"NoRealRoot", "x^2+1", "0.5", "No root.", noRoot, "Txt_X", -1},
        {"InitialValueWithoutValue", "x^2-4", "ln(-1)", "Error",
         "Error #2 : Logarithm needs to have a positive argument.", "Txt_X", -1},
        {"EmptyFunction", "", "1", "Error", "Error #17 : Enter the expression first.", "txt_f", 0},
        {"EmptyInitialValue", "x^2", "", "Error", "Error #17 : Enter the expression first.",
         "Txt_X", 0},
        {"VariableInInitialValue", "x^2", "1+x", "Error",
         "Error #16 : Expression contains unknown functions or operands.", "Txt_X", 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        NewtonForm form;
        TypeInto(form.F(), QString::fromLatin1(c.function));
        TypeInto(form.X(), QString::fromLatin1(c.initial));
        PressEnter();
        EXPECT_EQ(form.Val()->text(), QString::fromLatin1(c.value));
        EXPECT_EQ(form.Error()->isVisible(), c.error != nullptr);
        EXPECT_EQ(form.Error()->text(), QString::fromLatin1(c.error ? c.error : ""));
        auto *focus = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus->objectName(), QString::fromLatin1(c.focus));
        if (c.caret >= 0) {
            EXPECT_EQ(focus->cursorPosition(), c.caret);
            EXPECT_FALSE(focus->hasSelectedText());
        }
    }
}

TEST(Newton, AproxFillsTheFieldsAndShowsTheOutcome)
{
    NewtonForm form(QStringLiteral("2x"));
    form.window.Cmd_calcul_Click(); // fails on the empty initial value
    form.window.Aprox(QStringLiteral("2*x-1"), 3.00000049);
    EXPECT_EQ(form.F()->text(), QStringLiteral("2*x-1"));
    EXPECT_EQ(form.X()->text(), QStringLiteral("3"));
    EXPECT_EQ(form.Val()->text(), QStringLiteral("0.5"));
    EXPECT_FALSE(form.Error()->isVisible());
    form.window.Aprox(QStringLiteral("x^2+1"), 0.5);
    EXPECT_EQ(form.Val()->text(), QStringLiteral("No root."));
    EXPECT_TRUE(form.Error()->isVisible());
}

TEST(Newton, EnterRulesClearingAndReset)
{
    NewtonForm form(QStringLiteral("x^2-4"));
    form.F()->setFocus();
    PressEnter(); // the initial value is empty: the focus moves there
    EXPECT_TRUE(form.X()->hasFocus());
    TypeInto(form.X(), QStringLiteral("1"));
    form.Val()->setFocus();
    PressEnter();
    EXPECT_EQ(form.Val()->text(), QStringLiteral("2"));
    QTest::keyClick(form.F(), Qt::Key_Space);
    EXPECT_EQ(form.Val()->text(), QStringLiteral("2"));
    QTest::keyClick(form.X(), Qt::Key_Space);
    EXPECT_EQ(form.Val()->text(), QString());

    TypeInto(form.X(), QStringLiteral("x"));
    form.window.Cmd_calcul_Click();
    QTest::mouseClick(Control<QPushButton>(form.window, "Cmd_clear"), Qt::LeftButton);
    for (QLineEdit *field : {form.F(), form.X(), form.Val()})
        EXPECT_EQ(field->text(), QString()) << field->objectName().toStdString();
    EXPECT_TRUE(form.Error()->isVisible());
    EXPECT_TRUE(form.F()->hasFocus());

    QStringList topics;
    SetHelpTopicHandler([&](QWidget *, const QString &topic) { topics << topic; });
    QTest::mouseClick(Control<QPushButton>(form.window, "Cmd_Help"), Qt::LeftButton);
    QTest::mouseClick(Control<QLabel>(form.window, "Lbl_help1"), Qt::LeftButton);
    SetHelpTopicHandler(nullptr);
    EXPECT_EQ(topics, QStringList({"aprox.html", "newton.html"}));
}

} // namespace
} // namespace zv

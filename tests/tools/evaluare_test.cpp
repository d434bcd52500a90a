#include "tools/evaluare.h"

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

struct EvaluareForm
{
    explicit EvaluareForm(const QString &function = {})
        : window(function)
    {
        test::ShowActive(window);
    }

    QLineEdit *F() { return Control(window, "txt_f"); }
    QLineEdit *X() { return Control(window, "Txt_X"); }
    QLineEdit *Val() { return Control(window, "Txt_Val"); }
    QLineEdit *Der() { return Control(window, "Txt_Der"); }
    QLabel *Error() { return Control<QLabel>(window, "lblEroare"); }

    Evaluare window;
};

// Each row typed into a fresh window and calculated by Enter in the value field; "kept" stands
// in the derivative field beforehand, for the row that must leave it alone.
TEST(Evaluare, FailureTableThroughTheWindow)
{
    const struct
    {
        const char *name, *function, *point, *value, *derivative;
        const char *error; // nullptr: hidden
        const char *focus;
        int caret; // in the focused field when the focus moved there
    } cases[] = {
        {"Results", "x^2", "3", "9", "6", nullptr, "Txt_Val", 0},
        {"EmptyFunction", "", "1", "Error", "Error", "Error #17 : Enter the expression first.",
         "txt_f", 0},
        {"FunctionFaultyToken", "x^2+*3", "1", "Error", "Error",
         "Error #14 : Two operators can't stick together.", "txt_f", 4},
        {"EmptyPoint", "x^2", "", "Error", "Error", "Error #17 : Enter the expression first.",
         "Txt_X", 0},
        {"VariableInPoint", "x^2", "2*x", "Error", "Error",
         "Error #16 : Expression contains unknown functions or operands.", "Txt_X", 2},
        {"PointWithoutValue", "x^2", "ln(-1)", "Error", "kept",
         "Error #2 : Logarithm needs to have a positive argument.", "Txt_Val", 0},
        {"FunctionWithoutValue", "ln(x)", "0", "Error", "f is not differentiable",
         "Error #2 : Logarithm needs to have a positive argument.", "Txt_Val", 0},
        {"DerivativeFails", "r(x)", "0", "0", "f is not differentiable", nullptr, "Txt_Val", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EvaluareForm form;
        TypeInto(form.F(), QString::fromLatin1(c.function));
        TypeInto(form.X(), QString::fromLatin1(c.point));
        form.Der()->setText(QStringLiteral("kept"));
        form.Val()->setFocus();
        PressEnter();

        EXPECT_EQ(form.Val()->text(), QString::fromLatin1(c.value));
        EXPECT_EQ(form.Der()->text(), QString::fromLatin1(c.derivative));
        EXPECT_EQ(form.Error()->isVisible(), c.error != nullptr);
        EXPECT_EQ(form.Error()->text(), QString::fromLatin1(c.error ? c.error : ""));
        auto *focus = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus->objectName(), QString::fromLatin1(c.focus));
        if (focus != form.Val()) {
            EXPECT_EQ(focus->cursorPosition(), c.caret);
            EXPECT_FALSE(focus->hasSelectedText());
        }
    }
}

TEST(Evaluare, EnterRulesClearingToolTipsAndReset)
{
    EvaluareForm form(QStringLiteral("x^2+0*sin(x)+0*cos(x)")); // 21 characters: the hint
    EXPECT_EQ(form.F()->toolTip(), form.F()->text());
    // Enter in the function field with an empty point: the default button's calculation
    // fails on the point, and the focus ends there.
    form.F()->setFocus();
    PressEnter();
    EXPECT_TRUE(form.X()->hasFocus());
    EXPECT_EQ(form.Error()->text(), QStringLiteral("Error #17 : Enter the expression first."));

    TypeInto(form.X(), QStringLiteral("pi/2"));
    form.F()->setFocus();
    PressEnter();
    EXPECT_EQ(form.Val()->text(), QStringLiteral("2.4674011"));
    EXPECT_FALSE(form.Error()->isVisible());
    EXPECT_EQ(form.X()->toolTip(), QStringLiteral("1.57079633"));

    // Typing in the function field leaves the results; in the point field it empties both.
    QTest::keyClick(form.F(), Qt::Key_Space);
    EXPECT_EQ(form.Der()->text(), QStringLiteral("3.14159265"));
    QTest::keyClick(form.X(), Qt::Key_Space);
    EXPECT_EQ(form.Val()->text(), QString());
    EXPECT_EQ(form.Der()->text(), QString());
    EXPECT_EQ(form.X()->toolTip(), QStringLiteral("X-Point"));
    TypeInto(form.X(), QStringLiteral("2"));
    form.window.Cmd_calcul_Click();
    EXPECT_EQ(form.X()->toolTip(), QStringLiteral("X-Point"));

    // Reset after a failure empties the four fields and leaves the message on view.
    TypeInto(form.X(), QStringLiteral("ln(-1)"));
    form.window.Cmd_calcul_Click();
    QTest::mouseClick(Control<QPushButton>(form.window, "Cmd_clear"), Qt::LeftButton);
    for (QLineEdit *field : {form.F(), form.X(), form.Val(), form.Der()})
        EXPECT_EQ(field->text(), QString()) << field->objectName().toStdString();
    EXPECT_TRUE(form.Error()->isVisible());
    EXPECT_TRUE(form.F()->hasFocus());
}

TEST(Evaluare, TabOrderHelpAndEscape)
{
    EvaluareForm form;
    form.F()->setFocus();
    QStringList order;
    for (int i = 0; i < 8; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order, QStringList({"txt_f", "Txt_X", "Txt_Val", "Txt_Der", "Cmd_calcul", "Cmd_clear",
                                  "Cmd_Exit", "Cmd_Help"}));

    QStringList topics;
    SetHelpTopicHandler([&](QWidget *, const QString &topic) { topics << topic; });
    QTest::mouseClick(Control<QPushButton>(form.window, "Cmd_Help"), Qt::LeftButton);
    QTest::mouseClick(Control<QLabel>(form.window, "Lbl_help1"), Qt::LeftButton);
    SetHelpTopicHandler(nullptr);
    EXPECT_EQ(topics, QStringList({"eval.htm", "expresie.html"}));

    QTest::keyClick(form.F(), Qt::Key_Escape);
    EXPECT_FALSE(form.window.isVisible());
}

} // namespace
} // namespace zv

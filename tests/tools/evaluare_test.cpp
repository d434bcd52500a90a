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
using test::ShowActive;
using test::TypeInto;

const char *const kUnchanged = "kept"; // a text the calculation must leave alone

struct EvaluareFixture
{
    explicit EvaluareFixture(const QString &function = {})
        : window(function)
    {
        ShowActive(window);
    }

    QLineEdit *F() { return Control(window, "txt_f"); }
    QLineEdit *X() { return Control(window, "Txt_X"); }
    QLineEdit *Val() { return Control(window, "Txt_Val"); }
    QLineEdit *Der() { return Control(window, "Txt_Der"); }
    QLabel *Error() { return Control<QLabel>(window, "lblEroare"); }

    Evaluare window;
};

TEST(Evaluare, FailureTableAndResultsAfterEnterInTheValueField)
{
    const struct
    {
        const char *name;
        const char *function, *point;
        const char *value, *derivative;
        const char *error; // nullptr: hidden
        const char *focus; // the field with the focus afterwards
        int caret;
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
        {"PointWithoutValue", "x^2", "ln(-1)", "Error", kUnchanged,
         "Error #2 : Logarithm needs to have a positive argument.", "Txt_Val", 0},
        {"FunctionWithoutValue", "ln(x)", "0", "Error", "f is not differentiable",
         "Error #2 : Logarithm needs to have a positive argument.", "Txt_Val", 0},
        {"DerivativeFails", "r(x)", "0", "0", "f is not differentiable", nullptr, "Txt_Val", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EvaluareFixture form;
        TypeInto(form.F(), QString::fromLatin1(c.function));
        TypeInto(form.X(), QString::fromLatin1(c.point));
        form.Der()->setText(QString::fromLatin1(kUnchanged));
        form.Val()->setFocus();
        PressEnter();

        EXPECT_EQ(form.Val()->text(), QString::fromLatin1(c.value));
        EXPECT_EQ(form.Der()->text(), QString::fromLatin1(c.derivative));
        EXPECT_EQ(form.Error()->isVisible(), c.error != nullptr);
        if (c.error != nullptr) {
            EXPECT_EQ(form.Error()->text(), QString::fromLatin1(c.error));
        }
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(c.focus));
        if (QString::fromLatin1(c.focus) != QLatin1String("Txt_Val")) {
            auto *field = qobject_cast<QLineEdit *>(QApplication::focusWidget());
            EXPECT_EQ(field->cursorPosition(), c.caret);
            EXPECT_FALSE(field->hasSelectedText());
        }
    }
}

TEST(Evaluare, EnterInTheFunctionFieldMovesToAnEmptyPointOrCalculates)
{
    EvaluareFixture form(QStringLiteral("x^2"));
    form.F()->setFocus();
    PressEnter();
    // The default button's calculation failed on the empty point; the focus ends there.
    EXPECT_TRUE(form.X()->hasFocus());
    EXPECT_EQ(form.Error()->text(), QStringLiteral("Error #17 : Enter the expression first."));

    TypeInto(form.X(), QStringLiteral("3"));
    form.F()->setFocus();
    PressEnter();
    EXPECT_EQ(form.Val()->text(), QStringLiteral("9"));
    EXPECT_FALSE(form.Error()->isVisible());
}

TEST(Evaluare, APointChangeClearsTheResultsAFunctionChangeDoesNot)
{
    EvaluareFixture form(QStringLiteral("x^2"));
    TypeInto(form.X(), QStringLiteral("3"));
    form.window.Cmd_calcul_Click();
    QTest::keyClick(form.F(), Qt::Key_End);
    QTest::keyClick(form.F(), Qt::Key_1);
    EXPECT_EQ(form.Val()->text(), QStringLiteral("9"));
    EXPECT_EQ(form.Der()->text(), QStringLiteral("6"));
    QTest::keyClick(form.X(), Qt::Key_End);
    QTest::keyClick(form.X(), Qt::Key_0);
    EXPECT_EQ(form.Val()->text(), QString());
    EXPECT_EQ(form.Der()->text(), QString());
}

TEST(Evaluare, PointToolTipShowsTheValueOfAnExpression)
{
    EvaluareFixture form(QStringLiteral("sin(x)"));
    TypeInto(form.X(), QStringLiteral("pi/2"));
    form.window.Cmd_calcul_Click();
    EXPECT_EQ(form.X()->toolTip(), QStringLiteral("1.57079633"));
    EXPECT_EQ(form.Val()->text(), QStringLiteral("1"));
    TypeInto(form.X(), QStringLiteral("2"));
    EXPECT_EQ(form.X()->toolTip(), QStringLiteral("X-Point"));
    form.window.Cmd_calcul_Click();
    EXPECT_EQ(form.X()->toolTip(), QStringLiteral("X-Point"));
}

TEST(Evaluare, ResetEmptiesTheFieldsAndLeavesTheErrorOnView)
{
    EvaluareFixture form(QStringLiteral("ln(x)"));
    TypeInto(form.X(), QStringLiteral("0"));
    form.window.Cmd_calcul_Click();
    ASSERT_TRUE(form.Error()->isVisible());
    QTest::mouseClick(Control<QPushButton>(form.window, "Cmd_clear"), Qt::LeftButton);
    for (QLineEdit *field : {form.F(), form.X(), form.Val(), form.Der()})
        EXPECT_EQ(field->text(), QString()) << field->objectName().toStdString();
    EXPECT_TRUE(form.Error()->isVisible());
    EXPECT_TRUE(form.F()->hasFocus());
    // The long-function hint went back to the default hint with the emptying.
    EXPECT_EQ(form.F()->toolTip(),
              QStringLiteral("Enter the function to evaluate. For details, click the link above."));
}

TEST(Evaluare, OpensOnTheGivenFunctionWithItsHint)
{
    const QString longFunction = QStringLiteral("sin(x)+cos(x)+tg(x)+1"); // 21 characters
    EvaluareFixture form(longFunction);
    EXPECT_EQ(form.F()->text(), longFunction);
    EXPECT_EQ(form.F()->toolTip(), longFunction);
    EXPECT_FALSE(form.Error()->isVisible());
}

TEST(Evaluare, TabOrderHelpAndEscape)
{
    EvaluareFixture form;
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

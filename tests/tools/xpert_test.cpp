#include "tools/xpert.h"

#include "fielddriver.h"
#include "tests/support/messagerecorder.h"
#include "ui/helprequest.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace zv {
namespace {

using test::Control;
using test::PressEnter;
using test::TypeInto;

struct WizardForm
{
    WizardForm() { test::ShowActive(wizard); }

    QPushButton *Button(const char *name) { return Control<QPushButton>(wizard, name); }
    QLineEdit *Field(const char *name) { return Control(wizard, name); }
    QLabel *Label(const char *name) { return Control<QLabel>(wizard, name); }
    void Next() { QTest::mouseClick(Button("Page1"), Qt::LeftButton); }
    void Back() { QTest::mouseClick(Button("Page0"), Qt::LeftButton); }
    // From the first page: the equation, Next, the bounds, Next.
    void Fill(const char *equation, const char *a, const char *b)
    {
        Next();
        TypeInto(Field("Txt_fx"), QString::fromLatin1(equation));
        Next();
        TypeInto(Field("Txt_a"), QString::fromLatin1(a));
        TypeInto(Field("Txt_b"), QString::fromLatin1(b));
        Next();
    }
    // Caption, then each of Back, Next and Finished as enabled (1/0), "*" for the default.
    QString State()
    {
        QString state = wizard.windowTitle();
        for (const char *name : {"Page0", "Page1", "cmdFinish"})
            state += QStringLiteral(" %1%2")
                         .arg(Button(name)->isEnabled())
                         .arg(Button(name)->isDefault() ? "*" : "");
        return state;
    }

    test::Recorder recorder;
    XPert wizard;
};

TEST(XPert, PagesCaptionsButtonsAndTheEquationCheck)
{
    WizardForm form;
    EXPECT_EQ(form.State(), "Zerovane Wizard - Step 1 of 4 0 1* 0");
    form.Next();
    EXPECT_EQ(form.State(), "Zerovane Wizard - Step 2 of 4 1 1* 0");
    EXPECT_TRUE(form.Field("Txt_fx")->hasFocus());
    form.Next(); // an empty equation stays on its page
    EXPECT_EQ(form.wizard.CurrentPage(), 1);
    EXPECT_TRUE(form.Label("Lbleroare")->isVisible());
    EXPECT_EQ(form.Label("Lbleroare")->text(), "Error #17 : Enter the expression first.");
    TypeInto(form.Field("Txt_fx"), QStringLiteral("x^2+*4"));
    EXPECT_FALSE(form.Label("Lbleroare")->isVisible()); // hidden at the first keystroke
    form.Next();
    EXPECT_EQ(form.Field("Txt_fx")->cursorPosition(), 4);
    TypeInto(form.Field("Txt_fx"), QStringLiteral("x^2-4"));
    form.Next();
    EXPECT_EQ(form.State(), "Zerovane Wizard - Step 3 of 4 1 1* 0");
    EXPECT_TRUE(form.Field("Txt_a")->hasFocus());
    form.Back();
    EXPECT_EQ(form.wizard.CurrentPage(), 1);
    form.Next();
    TypeInto(form.Field("Txt_a"), QStringLiteral("-3"));
    TypeInto(form.Field("Txt_b"), QStringLiteral("3"));
    form.Next();
    EXPECT_EQ(form.State(), "Zerovane Wizard - Step 4 of 4 1 0 1*");
    EXPECT_TRUE(form.recorder.messages.isEmpty());
}

TEST(XPert, IntervalChecks)
{
    const struct
    {
        const char *a, *b;
        const char *error; // nullptr: the last page comes
        const char *focus;
        int caret;
    } cases[] = {
        {"0", "500", nullptr, nullptr, 0},
        {"0", "501", "The interval is too big.", "Txt_a", 0},
        {"0", "0.001", nullptr, nullptr, 0},
        {"1", "1.001", "The interval is too small.", "Txt_a", 0}, // 1.001 - 1 < 0.001
        {"3", "2", "The two values don't build an interval.", "Txt_a", 0},
        {"pi", "2*pi", nullptr, nullptr, 0},
        {"0", "2x", "Error #16 : Expression contains unknown functions or operands.", "Txt_b", 1},
        // A bound without a value is reported in words, never taken as 0.
        {"1/0", "5", "Error #7 : Division by zero !", "Txt_a", 0},
        {"-5", "ln(-1)", "Error #2 : Logarithm needs to have a positive argument.", "Txt_b", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.a) + " and " + c.b);
        WizardForm form;
        form.Fill("x-1", c.a, c.b);
        EXPECT_EQ(form.wizard.CurrentPage(), c.error ? 2 : XPert::kLastPage);
        if (c.error == nullptr)
            continue;
        EXPECT_TRUE(form.Label("Lbleroare2")->isVisible());
        EXPECT_EQ(form.Label("Lbleroare2")->text(), QString::fromLatin1(c.error));
        QLineEdit *field = form.Field(c.focus);
        EXPECT_TRUE(field->hasFocus());
        EXPECT_EQ(field->cursorPosition(), c.caret);
        EXPECT_FALSE(field->hasSelectedText());
        QTest::keyClick(form.Field("Txt_b"), Qt::Key_Space);
        EXPECT_FALSE(form.Label("Lbleroare2")->isVisible());
    }
}

TEST(XPert, WarnsOfUndifferentiableFunctionsByTheirExactNames)
{
    for (const char *equation : {"abs(x)-1", "x-int(x)-0.5", "frac(x)-0.5", "Abs(x)-1"}) {
        SCOPED_TRACE(equation);
        WizardForm form;
        form.Fill(equation, "0", "3");
        EXPECT_EQ(form.Label("lbl_Der")->isVisible(), equation[0] != 'A');
        if (equation[0] == 'a') { // back, without abs, and forward again
            form.Back();
            form.Back();
            TypeInto(form.Field("Txt_fx"), QStringLiteral("x-1"));
            form.Next();
            form.Next();
            EXPECT_FALSE(form.Label("lbl_Der")->isVisible());
        }
    }
}

TEST(XPert, CancelEscapeAndCloseBoxAskBeforeLeaving)
{
    const QString question = "Are you sure you want to exit the wizard ?|Confirmation|?|yes/no";
    WizardForm form;
    form.Next();
    TypeInto(form.Field("Txt_fx"), QStringLiteral("x^3"));
    QTest::mouseClick(form.Button("cmdCancel"), Qt::LeftButton);
    QTest::keyClick(form.Field("Txt_fx"), Qt::Key_Escape);
    EXPECT_FALSE(form.wizard.close());
    EXPECT_EQ(form.recorder.Boxes(), QStringList({question, question, question}));
    EXPECT_TRUE(form.wizard.isVisible());
    EXPECT_EQ(form.Field("Txt_fx")->text(), QStringLiteral("x^3"));

    form.recorder.answer = MessageAnswer::Yes;
    QTest::keyClick(form.Field("Txt_fx"), Qt::Key_Escape);
    EXPECT_FALSE(form.wizard.isVisible());
    EXPECT_EQ(form.recorder.messages.size(), 4); // Yes closes without asking again
}

TEST(XPert, FinishedHandsOutItsOwnEquationAndClosesWithoutAQuestion)
{
    QStringList topics;
    SetHelpTopicHandler([&](QWidget *, const QString &topic) { topics << topic; });
    WizardForm form;
    QSignalSpy finished(&form.wizard, &XPert::finished);
    form.Next();
    QTest::mouseClick(form.Label("Lbl_help1"), Qt::LeftButton);
    form.Back();
    form.Fill("2x-1", "-1/4", "2");
    QTest::mouseClick(form.Label("Lbl_help2"), Qt::LeftButton);
    SetHelpTopicHandler(nullptr);
    EXPECT_EQ(topics, QStringList({"expresie.html", "index_metode.html"}));

    PressEnter(); // Finished is the default button of the last page
    ASSERT_EQ(finished.size(), 1);
    const auto equation = finished.at(0).at(0).value<GraphEquation>();
    EXPECT_EQ(equation.function, QStringLiteral("2*x-1"));
    EXPECT_EQ(equation.a, -0.25);
    EXPECT_EQ(equation.b, 2);
    EXPECT_FALSE(form.wizard.isVisible());
    EXPECT_TRUE(form.recorder.messages.isEmpty());
}

TEST(XPert, EnterPressesTheFocusedOrTheDefaultButton)
{
    WizardForm form;
    PressEnter();
    EXPECT_EQ(form.wizard.CurrentPage(), 1);
    QTest::keyClicks(form.Field("Txt_fx"), QStringLiteral("x"));
    PressEnter();
    EXPECT_EQ(form.wizard.CurrentPage(), 2);
    form.Button("Page0")->setFocus(Qt::TabFocusReason);
    PressEnter();
    EXPECT_EQ(form.wizard.CurrentPage(), 1);
    form.wizard.CloseWithoutQuestion();
    EXPECT_FALSE(form.wizard.isVisible());
    EXPECT_TRUE(form.recorder.messages.isEmpty());
}

} // namespace
} // namespace zv

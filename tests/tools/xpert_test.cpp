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
using test::ShowActive;
using test::TypeInto;

const char *const kExitQuestion =
    "Are you sure you want to exit the wizard ?|Confirmation|?|yes/no";

struct WizardFixture
{
    WizardFixture() { ShowActive(wizard); }

    QPushButton *Button(const char *name) { return Control<QPushButton>(wizard, name); }
    void Next() { QTest::mouseClick(Button("Page1"), Qt::LeftButton); }
    void Back() { QTest::mouseClick(Button("Page0"), Qt::LeftButton); }
    QLineEdit *Field(const char *name) { return Control(wizard, name); }
    QLabel *Label(const char *name) { return Control<QLabel>(wizard, name); }

    // Walks to the last page with an equation and an interval that pass.
    void ToLastPage(const char *equation, const char *a, const char *b)
    {
        Next();
        TypeInto(Field("Txt_fx"), QString::fromLatin1(equation));
        ToLastPageFromEquation(a, b);
    }
    void ToLastPageFromEquation(const char *a = "0", const char *b = "1")
    {
        if (Field("Txt_fx")->text().isEmpty())
            TypeInto(Field("Txt_fx"), QStringLiteral("x"));
        Next();
        TypeInto(Field("Txt_a"), QString::fromLatin1(a));
        TypeInto(Field("Txt_b"), QString::fromLatin1(b));
        Next();
        ASSERT_EQ(wizard.CurrentPage(), XPert::kLastPage);
    }

    test::Recorder recorder;
    XPert wizard;
};

TEST(XPert, PagesCaptionsAndButtons)
{
    WizardFixture form;
    const auto state = [&] {
        return QStringLiteral("%1|back %2|next %3%4|finish %5%6")
            .arg(form.wizard.windowTitle())
            .arg(form.Button("Page0")->isEnabled())
            .arg(form.Button("Page1")->isEnabled())
            .arg(form.Button("Page1")->isDefault() ? "*" : "")
            .arg(form.Button("cmdFinish")->isEnabled())
            .arg(form.Button("cmdFinish")->isDefault() ? "*" : "");
    };
    EXPECT_EQ(state(), "Zerovane Wizard - Step 1 of 4|back 0|next 1*|finish 0");

    form.Next();
    EXPECT_EQ(state(), "Zerovane Wizard - Step 2 of 4|back 1|next 1*|finish 0");
    EXPECT_TRUE(form.Field("Txt_fx")->hasFocus());

    // The equation is checked on the way forward only.
    form.Next();
    EXPECT_EQ(form.wizard.CurrentPage(), 1);
    EXPECT_TRUE(form.Label("Lbleroare")->isVisible());
    EXPECT_EQ(form.Label("Lbleroare")->text(), "Error #17 : Enter the expression first.");
    TypeInto(form.Field("Txt_fx"), QStringLiteral("x^2+*4"));
    EXPECT_FALSE(form.Label("Lbleroare")->isVisible()); // hidden at the first keystroke
    form.Next();
    EXPECT_EQ(form.Field("Txt_fx")->cursorPosition(), 4);
    TypeInto(form.Field("Txt_fx"), QStringLiteral("x^2-4"));
    form.Next();
    EXPECT_EQ(state(), "Zerovane Wizard - Step 3 of 4|back 1|next 1*|finish 0");
    EXPECT_TRUE(form.Field("Txt_a")->hasFocus());
    form.Back();
    EXPECT_EQ(form.wizard.CurrentPage(), 1);
    form.Next();

    TypeInto(form.Field("Txt_a"), QStringLiteral("-3"));
    TypeInto(form.Field("Txt_b"), QStringLiteral("3"));
    form.Next();
    EXPECT_EQ(state(), "Zerovane Wizard - Step 4 of 4|back 1|next 0|finish 1*");
    form.Back();
    EXPECT_EQ(state(), "Zerovane Wizard - Step 3 of 4|back 1|next 1*|finish 0");
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
        {"1", "1.001", "The interval is too small.", "Txt_a", 0},
        {"3", "2", "The two values don't build an interval.", "Txt_a", 0},
        {"pi", "2*pi", nullptr, nullptr, 0},
        {"0", "2x", "Error #16 : Expression contains unknown functions or operands.", "Txt_b", 1},
        // A bound without a value is reported in words, never taken as 0.
        {"1/0", "5", "Error #7 : Division by zero !", "Txt_a", 0},
        {"-5", "ln(-1)", "Error #2 : Logarithm needs to have a positive argument.", "Txt_b", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.a) + " and " + c.b);
        WizardFixture form;
        form.Next();
        TypeInto(form.Field("Txt_fx"), QStringLiteral("x-1"));
        form.Next();
        TypeInto(form.Field("Txt_a"), QString::fromLatin1(c.a));
        TypeInto(form.Field("Txt_b"), QString::fromLatin1(c.b));
        form.Next();
        if (c.error == nullptr) {
            EXPECT_EQ(form.wizard.CurrentPage(), XPert::kLastPage);
            continue;
        }
        EXPECT_EQ(form.wizard.CurrentPage(), 2);
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
    const struct
    {
        const char *equation;
        bool warned;
    } cases[] = {{"abs(x)-1", true},
                 {"x-int(x)-0.5", true},
                 {"frac(x)-0.5", true},
                 {"Abs(x)-1", false},
                 {"x^2-1", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.equation);
        WizardFixture form;
        form.ToLastPage(c.equation, "0", "3");
        EXPECT_EQ(form.Label("lbl_Der")->isVisible(), c.warned);
    }

    WizardFixture form;
    form.ToLastPage("abs(x)-1", "0", "3");
    form.Back();
    form.Back();
    TypeInto(form.Field("Txt_fx"), QStringLiteral("x-1"));
    form.Next();
    form.Next();
    EXPECT_FALSE(form.Label("lbl_Der")->isVisible());
}

TEST(XPert, CancelEscapeAndCloseBoxAskBeforeLeaving)
{
    WizardFixture form;
    form.Next();
    TypeInto(form.Field("Txt_fx"), QStringLiteral("x^3"));

    QTest::mouseClick(form.Button("cmdCancel"), Qt::LeftButton);
    QTest::keyClick(form.Field("Txt_fx"), Qt::Key_Escape);
    EXPECT_FALSE(form.wizard.close());
    EXPECT_EQ(form.recorder.Boxes(), QStringList({kExitQuestion, kExitQuestion, kExitQuestion}));
    EXPECT_TRUE(form.wizard.isVisible());
    EXPECT_EQ(form.wizard.CurrentPage(), 1);
    EXPECT_EQ(form.Field("Txt_fx")->text(), QStringLiteral("x^3"));

    form.recorder.answer = MessageAnswer::Yes;
    QTest::keyClick(form.Field("Txt_fx"), Qt::Key_Escape);
    EXPECT_FALSE(form.wizard.isVisible());
    EXPECT_EQ(form.recorder.messages.size(), 4); // Yes closes without asking again
}

TEST(XPert, FinishedHandsOutItsOwnEquationAndClosesWithoutAQuestion)
{
    WizardFixture form;
    QSignalSpy finished(&form.wizard, &XPert::finished);
    form.ToLastPage("2x-1", "-pi", "pi");
    PressEnter(); // Finished is the default button on the last page
    ASSERT_EQ(finished.size(), 1);
    const auto equation = finished.at(0).at(0).value<GraphEquation>();
    EXPECT_EQ(equation.function, QStringLiteral("2*x-1"));
    EXPECT_NEAR(equation.a, -3.14159265358979, 1e-14);
    EXPECT_NEAR(equation.b, 3.14159265358979, 1e-14);
    EXPECT_FALSE(form.wizard.isVisible());
    EXPECT_TRUE(form.recorder.messages.isEmpty());
}

TEST(XPert, EnterPressesTheFocusedOrTheDefaultButton)
{
    WizardFixture form;
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

TEST(XPert, HelpLinksOpenTheirTopics)
{
    QStringList topics;
    SetHelpTopicHandler([&](QWidget *, const QString &topic) { topics << topic; });
    WizardFixture form;
    form.Next();
    QTest::mouseClick(form.Label("Lbl_help1"), Qt::LeftButton);
    form.ToLastPageFromEquation();
    QTest::mouseClick(form.Label("Lbl_help2"), Qt::LeftButton);
    SetHelpTopicHandler(nullptr);
    EXPECT_EQ(topics, QStringList({"expresie.html", "index_metode.html"}));
}

} // namespace
} // namespace zv

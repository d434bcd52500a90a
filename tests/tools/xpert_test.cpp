#include "tools/evaluare.h"
#include "tools/newton.h"
#include "tools/xpert.h"

#include "fielddriver.h"

#include <QClipboard>
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
    void Next() { QTest::mouseClick(Button("Page1"), Qt::LeftButton); }
    void Back() { QTest::mouseClick(Button("Page0"), Qt::LeftButton); }
    // From the first page: the equation, Next, the bounds, Next.
    void Fill(const char *equation, const char *a, const char *b)
    {
        Next();
        TypeInto(Control(wizard, "Txt_fx"), QString::fromLatin1(equation));
        Next();
        TypeInto(Control(wizard, "Txt_a"), QString::fromLatin1(a));
        TypeInto(Control(wizard, "Txt_b"), QString::fromLatin1(b));
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

TEST(XPert, PagesButtonsEnterAndChecksThenFinishedHandsOutItsOwnEquationWithoutAQuestion)
{
    WizardForm form;
    QSignalSpy finished(&form.wizard, &XPert::finished);
    EXPECT_EQ(form.State(), "Zerovane Wizard - Step 1 of 4 0 1* 0");
    PressEnter(); // the default button
    EXPECT_EQ(form.State(), "Zerovane Wizard - Step 2 of 4 1 1* 0");
    EXPECT_EQ(test::HelpTopics(form.wizard, {"Lbl_help1"}), QStringList{"expresie.html"});
    form.Next(); // an empty equation stays on its page
    EXPECT_EQ(test::Shown(form.wizard, {}, "Lbleroare"),
              "Error #17 : Enter the expression first.|Txt_fx@0");
    TypeInto(Control(form.wizard, "Txt_fx"), QStringLiteral("x^2+*4"));
    EXPECT_EQ(test::Shown(form.wizard, {}, "Lbleroare"), "-|Txt_fx@6"); // hidden at a keystroke
    form.Next();
    EXPECT_EQ(test::Shown(form.wizard, {}, "Lbleroare"),
              "Error #14 : Two operators can't stick together.|Txt_fx@4");
    TypeInto(Control(form.wizard, "Txt_fx"), QStringLiteral("2x-1"));
    form.Next();
    EXPECT_EQ(form.State(), "Zerovane Wizard - Step 3 of 4 1 1* 0");
    EXPECT_TRUE(Control(form.wizard, "Txt_a")->hasFocus());
    form.Button("Page0")->setFocus(Qt::TabFocusReason);
    PressEnter(); // the focused button
    EXPECT_EQ(form.wizard.CurrentPage(), 1);
    form.Next();
    TypeInto(Control(form.wizard, "Txt_a"), QStringLiteral("-1/4"));
    TypeInto(Control(form.wizard, "Txt_b"), QStringLiteral("2,5"));
    form.Next();
    EXPECT_EQ(form.State(), "Zerovane Wizard - Step 4 of 4 1 0 1*");
    EXPECT_EQ(test::HelpTopics(form.wizard, {"Lbl_help2"}), QStringList{"index_metode.html"});
    PressEnter(); // Finished is the default button of the last page
    ASSERT_EQ(finished.size(), 1);
    const auto equation = finished.at(0).at(0).value<GraphEquation>();
    EXPECT_EQ(equation.function + ' ' + QString::number(equation.a) + ' ' +
                  QString::number(equation.b),
              QStringLiteral("2*x-1 -0.25 2.5"));
    EXPECT_FALSE(form.wizard.isVisible());
    EXPECT_TRUE(form.recorder.messages.isEmpty());
}

// The bounds, then the error label and the focus as test::Shown lists them; a typed blank
// hides the label again.
TEST(XPert, IntervalChecks)
{
    const char *const interval = "The two values don't build an interval.|Txt_a@0";
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {"0", "500", nullptr},
        {"0", "501", "The interval is too big.|Txt_a@0"},
        {"0", "0.001", nullptr},
        {"1", "1.001", "The interval is too small.|Txt_a@0"}, // 1.001 - 1 < 0.001
        {"3", "2", interval},
        {"2", "2", interval},
        {"0", "2x", "Error #16 : Expression contains unknown functions or operands.|Txt_b@1"},
        {"0", "", "Error #17 : Enter the expression first.|Txt_b@0"},
        // A bound without a value is reported in words, never taken as 0.
        {"1/0", "5", "Error #7 : Division by zero !|Txt_a@0"},
        {"-5", "ln(-1)", "Error #2 : Logarithm needs to have a positive argument.|Txt_b@0"},
    };
    for (const auto &[a, b, shown] : rows) {
        SCOPED_TRACE(std::string(a) + " and " + b);
        WizardForm form;
        form.Fill("x-1", a, b);
        EXPECT_EQ(form.wizard.CurrentPage(), shown ? 2 : XPert::kLastPage);
        EXPECT_EQ(test::Shown(form.wizard, {}, "Lbleroare2"), shown ? shown : "-|cmdFinish");
        QTest::keyClick(Control(form.wizard, "Txt_b"), Qt::Key_Space);
        EXPECT_FALSE(Control<QLabel>(form.wizard, "Lbleroare2")->isVisible());
    }
}

TEST(XPert, WarnsOfUndifferentiableFunctionsByTheirExactNames)
{
    for (const char *equation : {"abs(x)-1", "x-int(x)-0.5", "frac(x)-0.5", "Abs(x)-1"}) {
        SCOPED_TRACE(equation);
        WizardForm form;
        form.Fill(equation, "0", "3");
        QLabel *warning = Control<QLabel>(form.wizard, "lbl_Der");
        EXPECT_EQ(warning->isVisible(), equation[0] != 'A');
        if (equation[0] == 'a') { // back, without abs, and forward again
            form.Back();
            form.Back();
            TypeInto(Control(form.wizard, "Txt_fx"), QStringLiteral("x-1"));
            form.Next();
            form.Next();
            EXPECT_FALSE(warning->isVisible());
        }
    }
}

TEST(XPert, CancelEscapeAndCloseBoxAskBeforeLeaving)
{
    const QString question = "Are you sure you want to exit the wizard ?|Confirmation|?|yes/no";
    WizardForm form;
    form.Next();
    QLineEdit *equation = Control(form.wizard, "Txt_fx");
    TypeInto(equation, QStringLiteral("x^3"));
    QTest::mouseClick(form.Button("cmdCancel"), Qt::LeftButton);
    QTest::keyClick(equation, Qt::Key_Escape);
    EXPECT_FALSE(form.wizard.close());
    EXPECT_EQ(form.recorder.Boxes(), QStringList({question, question, question}));
    EXPECT_TRUE(form.wizard.isVisible());
    EXPECT_EQ(equation->text(), QStringLiteral("x^3"));

    form.recorder.answer = MessageAnswer::Yes;
    QTest::keyClick(equation, Qt::Key_Escape);
    EXPECT_FALSE(form.wizard.isVisible());
    EXPECT_EQ(form.recorder.messages.size(), 4); // Yes closes without asking again
}

// Whatever is pasted, every entry field of a tool window keeps at most 32,767 characters, the
// length the project reader accepts too (a 1 MB function once froze the window for 43 s).
TEST(EntryFieldLimit, APastedMegabyteIsCutToTheLongestFunction)
{
    QString megabyte = QStringLiteral("sin(x)");
    while (megabyte.size() < (1 << 20))
        megabyte += QStringLiteral("+sin(x)");
    QApplication::clipboard()->setText(megabyte);
    const Newton newton({});
    const Evaluare evaluare({});
    const XPert wizard;
    QStringList pasted;
    for (const QWidget *window :
         std::initializer_list<const QWidget *>{&newton, &evaluare, &wizard}) {
        for (QLineEdit *field : window->findChildren<QLineEdit *>()) {
            if (field->isReadOnly())
                continue;
            pasted << field->objectName();
            field->clear();
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(field->text(), megabyte.left(32767)) << pasted.back().toStdString();
        }
    }
    EXPECT_EQ(pasted,
              QStringList({"txt_f", "Txt_X", "txt_f", "Txt_X", "Txt_a", "Txt_b", "Txt_fx"}));
}

} // namespace
} // namespace zv

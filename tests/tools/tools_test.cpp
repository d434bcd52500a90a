// The tool windows: Evaluate, Newton and the wizard, driven as a user drives them.
#include "engine/utf.h"
#include "tools/evaluare.h"
#include "tools/evaluation.h"
#include "tools/newton.h"
#include "tools/xpert.h"
#include "ui/helprequest.h"

#include "tests/support/control.h"
#include "tests/support/messagerecorder.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <type_traits>

namespace zv {
namespace {

using test::Control;

// Shows a window and waits until it is the active one, as a user would find it.
void ShowActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isActiveWindow(); }));
}

// Replaces a field's text by typing, as a user does after selecting it all.
void TypeInto(QLineEdit *field, const QString &text)
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
void PressEnter()
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
QString Shown(const QWidget &window, std::initializer_list<const char *> fields,
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
QStringList HelpTopics(const QWidget &window, std::initializer_list<const char *> controls)
{
    QStringList topics;
    SetHelpTopicHandler([&](QWidget *, const QString &topic) { topics << topic; });
    for (const char *name : controls)
        QTest::mouseClick(Control<QWidget>(window, name), Qt::LeftButton);
    SetHelpTopicHandler(nullptr);
    return topics;
}

// What Evaluate or Newton shows; only Evaluate has a derivative field.
QString Shown(const QDialog &window)
{
    return window.findChild<QLineEdit *>(QStringLiteral("Txt_Der"))
               ? Shown(window, {"txt_f", "Txt_X", "Txt_Val", "Txt_Der"}, "lblEroare")
               : Shown(window, {"txt_f", "Txt_X", "Txt_Val"}, "lblEroare");
}

// Types the function and the point into a fresh window and runs it by Enter: in the initial
// value of Newton, in the value field of Evaluate, whose derivative field holds "kept"
// beforehand for the row that must leave it alone. Returns what it shows after the two fields.
template<typename Window>
QString RunByEnter(const char *function, const char *point)
{
    Window window({});
    ShowActive(window);
    TypeInto(Control(window, "txt_f"), QString::fromLatin1(function));
    TypeInto(Control(window, "Txt_X"), QString::fromLatin1(point));
    if constexpr (std::is_same_v<Window, Evaluare>) {
        Control(window, "Txt_Der")->setText(QStringLiteral("kept"));
        Control(window, "Txt_Val")->setFocus();
    }
    PressEnter();
    return Shown(window).section('|', 2);
}

TEST(ToolWindows, SearchesCalculationsAndFailuresThroughTheWindows)
{
    const auto newton = RunByEnter<Newton>, evaluate = RunByEnter<Evaluare>;
    const QString empty = "Error #17 : Enter the expression first.",
                  ln = "Error #2 : Logarithm needs to have a positive argument.",
                  twoOperators = "Error #14 : Two operators can't stick together.",
                  unknown = "Error #16 : Expression contains unknown functions or operands.";
    const std::tuple<QString (*)(const char *, const char *), const char *, const char *, QString>
        rows[] = {
            {newton, "x^2+1", "0.5", "No root.|No root has been found.|Txt_X@3"},
            {newton, "x^2-4", "ln(-1)", "Error|" + ln + "|Txt_X@6"},
            {newton, "", "1", "Error|" + empty + "|txt_f@0"},
            {newton, "x^2", "", "Error|" + empty + "|Txt_X@0"},
            {newton, "x^2", "1+x", "Error|" + unknown + "|Txt_X@2"},
            {newton, "sin(x)", "3", "3.141593|-|Txt_X@1"}, // six decimals
            {newton, "2x-1", "0", "0.5|-|Txt_X@1"},
            {newton, "x^2-4", "-pi/2", "-2|-|Txt_X@5"},
            {newton, "x^2-4", "1,5", "2|-|Txt_X@3"}, // a typed comma, translated
            {newton, "ln(x)", "-1", "No root.|No root has been found.|Txt_X@2"},
            {newton, "x^2+*3", "1", "Error|" + twoOperators + "|txt_f@4"},
            // The function is checked first; Enter's release in it then goes to the empty value.
            {newton, "x^2+", "", "Error|Error #23 : Expression can't end in an operator.|Txt_X@0"},
            {evaluate, "x^2", "3", "9|6|-|Txt_Val@1"},
            {evaluate, "", "1", "Error|Error|" + empty + "|txt_f@0"},
            {evaluate, "x^2+*3", "1", "Error|Error|" + twoOperators + "|txt_f@4"},
            {evaluate, "x^2", "", "Error|Error|" + empty + "|Txt_X@0"},
            {evaluate, "x^2", "2*x", "Error|Error|" + unknown + "|Txt_X@2"},
            {evaluate, "x^2", "ln(-1)", "Error|kept|" + ln + "|Txt_Val@5"},
            {evaluate, "ln(x)", "0", "Error|f is not differentiable|" + ln + "|Txt_Val@5"},
            {evaluate, "r(x)", "0", "0|f is not differentiable|-|Txt_Val@1"},
        };
    for (const auto &[run, function, point, shown] : rows) {
        SCOPED_TRACE(std::string(run == newton ? "Newton: " : "Evaluate: ") + function + " at " +
                     point);
        EXPECT_EQ(run(function, point), shown);
    }
}

TEST(Evaluare, EnterRulesClearingToolTipsResetTabOrderHelpAndEscape)
{
    Evaluare window(QStringLiteral("x^2+0*sin(x)+0*cos(x)")); // 21 characters: the tip shows it
    ShowActive(window);
    QLineEdit *f = Control(window, "txt_f"), *x = Control(window, "Txt_X");
    EXPECT_EQ(Shown(window).section('|', 5), "txt_f"); // opens with its text selected
    EXPECT_EQ(f->toolTip(), f->text());
    // Enter in the function field: to the empty point, else the calculation.
    f->setFocus();
    PressEnter();
    EXPECT_TRUE(x->hasFocus());
    TypeInto(x, QStringLiteral("pi/2"));
    f->setFocus();
    PressEnter();
    EXPECT_EQ(Shown(window).section('|', 2, 4), "2.4674011|3.14159265|-");
    EXPECT_EQ(x->toolTip(), QStringLiteral("1.57079633"));

    // Typing in the function field leaves the results; in the point field it empties both.
    f->end(false);
    QTest::keyClicks(f, QStringLiteral("+0"));
    EXPECT_EQ(Shown(window).section('|', 2, 3), "2.4674011|3.14159265");
    QTest::keyClick(x, Qt::Key_Space);
    EXPECT_EQ(Shown(window).section('|', 2, 3), "|");
    EXPECT_EQ(x->toolTip(), QStringLiteral("X-Point"));

    // Reset after a failure empties the four fields and leaves the message on view.
    TypeInto(x, QStringLiteral("ln(-1)"));
    window.Cmd_calcul_Click();
    QTest::mouseClick(Control<QWidget>(window, "Cmd_clear"), Qt::LeftButton);
    EXPECT_EQ(Shown(window), "||||Error #2 : Logarithm needs to have a positive argument.|txt_f@0");

    QStringList order;
    for (int i = 0; i < 10; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order, QStringList({"txt_f", "Txt_X", "Txt_Val", "Txt_Der", "Cmd_calcul", "Cmd_clear",
                                  "Cmd_Exit", "Cmd_Help", "Lbl_help1", "txt_f"}));
    EXPECT_EQ(HelpTopics(window, {"Cmd_Help", "Lbl_help1"}),
              QStringList({"eval.htm", "expresie.html"}));
    // The link by keyboard: Tab to it, then Space.
    QStringList byKey;
    SetHelpTopicHandler([&](QWidget *, const QString &topic) { byKey << topic; });
    QTest::keyClick(Control<QWidget>(window, "Lbl_help1"), Qt::Key_Space);
    SetHelpTopicHandler(nullptr);
    EXPECT_EQ(byKey, QStringList{"expresie.html"});
    QTest::keyClick(Control(window, "txt_f"), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST(EvaluateAtPoint, SeparatorsAndThePointsToolTip)
{
    // Function, point, separator, then value, derivative and tip joined by "|".
    const std::tuple<const char16_t *, const char16_t *, char16_t, std::u16string> rows[] = {
        {u"x/4", u"1", u',', u"0,25|0,25|X-Point"},
        {u"x^2", u"1,5", u'.', u"2.25|3|X-Point"}, // a typed comma is a plain number
        {u"1/x", u"pi-pi", u'.', u"Error|f is not differentiable|0"},
    };
    for (const auto &[function, point, separator, shown] : rows) {
        SCOPED_TRACE(ToUtf8(function) + " at " + ToUtf8(point));
        const EvaluationOutcome outcome = EvaluateAtPoint(function, point, separator);
        EXPECT_EQ(outcome.valueText + u'|' + outcome.derivativeText.value_or(u"-") + u'|' +
                      outcome.pointHint.value_or(u"-"),
                  shown);
    }
}

TEST(IsPlainNumber, NumbersAgainstExpressions)
{
    for (const char16_t *plain : {u"2", u"-2.5", u"+2,5", u" 3 ", u"2.", u".5", u"1E-05"})
        EXPECT_TRUE(IsPlainNumber(plain)) << ToUtf8(plain);
    for (const char16_t *expression :
         {u"", u"-", u".", u"pi/4", u"2*3", u"1e", u"1.2.3", u"1,000.5", u"2 3"})
        EXPECT_FALSE(IsPlainNumber(expression)) << ToUtf8(expression);
}

TEST(Newton, EnterRulesClearingResetHelpAndTheGraphWindowsRequest)
{
    Newton window(QStringLiteral("x^2-4"));
    ShowActive(window);
    QLineEdit *f = Control(window, "txt_f"), *x = Control(window, "Txt_X");
    EXPECT_EQ(Shown(window).section('|', 4), "txt_f"); // opens with its text selected
    f->setFocus();
    PressEnter(); // the initial value is empty: the focus moves there
    EXPECT_TRUE(x->hasFocus());
    TypeInto(x, QStringLiteral("1"));
    Control(window, "Txt_Val")->setFocus();
    PressEnter();
    f->end(false);
    QTest::keyClicks(f, QStringLiteral("+0"));
    EXPECT_EQ(Shown(window).section('|', 0, 2), "x^2-4+0|1|2");
    QTest::keyClick(x, Qt::Key_0);
    EXPECT_EQ(Shown(window).section('|', 1, 3), "10||-");

    TypeInto(x, QStringLiteral("x"));
    window.Cmd_calcul_Click();
    QTest::mouseClick(Control<QWidget>(window, "Cmd_clear"), Qt::LeftButton);
    EXPECT_EQ(Shown(window),
              "|||Error #16 : Expression contains unknown functions or operands.|txt_f@0");
    // The graph window's request fills the fields and hides the message.
    window.Aprox(QStringLiteral("2*x-1"), 3.00000049);
    EXPECT_EQ(Shown(window).section('|', 0, 3), "2*x-1|3|0.5|-");
    const QLocale saved; // the user's decimal comma
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    window.Aprox(QStringLiteral("x^2-2.25"), 1.25);
    QLocale::setDefault(saved);
    EXPECT_EQ(Shown(window).section('|', 1, 2), "1,25|1,5");
    // A point near 0 is written as Find reads it again (not "1E-05", which would be e - 5).
    window.Aprox(QStringLiteral("x-0.5"), 0.00001);
    window.Cmd_calcul_Click();
    EXPECT_EQ(Shown(window).section('|', 1, 2), "0.00001|0.5");
    EXPECT_EQ(HelpTopics(window, {"Cmd_Help", "Lbl_help1"}),
              QStringList({"aprox.html", "newton.html"}));
}

struct WizardForm
{
    WizardForm() { ShowActive(wizard); }
    QPushButton *Button(const char *name) { return Control<QPushButton>(wizard, name); }
    void Next() { QTest::mouseClick(Button("Page1"), Qt::LeftButton); }
    void Back() { QTest::mouseClick(Button("Page0"), Qt::LeftButton); }
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
    EXPECT_EQ(HelpTopics(form.wizard, {"Lbl_help1"}), QStringList{"expresie.html"});
    form.Next(); // an empty equation stays on its page
    EXPECT_EQ(Shown(form.wizard, {}, "Lbleroare"),
              "Error #17 : Enter the expression first.|Txt_fx@0");
    TypeInto(Control(form.wizard, "Txt_fx"), QStringLiteral("x^2+*4"));
    EXPECT_EQ(Shown(form.wizard, {}, "Lbleroare"), "-|Txt_fx@6"); // hidden at a keystroke
    form.Next();
    EXPECT_EQ(Shown(form.wizard, {}, "Lbleroare"),
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
    EXPECT_EQ(HelpTopics(form.wizard, {"Lbl_help2"}), QStringList{"index_metode.html"});
    PressEnter(); // Finished is the default button of the last page
    ASSERT_EQ(finished.size(), 1);
    const auto equation = finished.at(0).at(0).value<GraphEquation>();
    EXPECT_EQ(equation.function + ' ' + QString::number(equation.a) + ' ' +
                  QString::number(equation.b),
              QStringLiteral("2*x-1 -0.25 2.5"));
}

// The bounds, then the error label and the focus as Shown lists them; a typed blank
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
        EXPECT_EQ(Shown(form.wizard, {}, "Lbleroare2"), shown ? shown : "-|cmdFinish");
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
    const QString megabyte = QStringLiteral("+sin(x)").repeated(150'000);
    QApplication::clipboard()->setText(megabyte);
    const Newton newton({});
    const Evaluare evaluare({});
    const XPert wizard;
    QStringList pasted; // the editable fields, marked when one holds anything but the head
    for (const QWidget *window :
         std::initializer_list<const QWidget *>{&newton, &evaluare, &wizard}) {
        for (QLineEdit *field : window->findChildren<QLineEdit *>()) {
            if (!field->isReadOnly()) {
                QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
                pasted << field->objectName() + (field->text() == megabyte.left(32767) ? "" : "!");
            }
        }
    }
    EXPECT_EQ(pasted,
              QStringList({"txt_f", "Txt_X", "txt_f", "Txt_X", "Txt_a", "Txt_b", "Txt_fx"}));
}

} // namespace
} // namespace zv

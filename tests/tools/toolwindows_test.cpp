#include "engine/utf.h"
#include "tools/evaluare.h"
#include "tools/evaluation.h"
#include "tools/newton.h"

#include "fielddriver.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace zv {
namespace {

using test::Control;
using test::PressEnter;
using test::TypeInto;

QString Shown(const Evaluare &window)
{
    return test::Shown(window, {"txt_f", "Txt_X", "Txt_Val", "Txt_Der"}, "lblEroare");
}

QString Shown(const Newton &window)
{
    return test::Shown(window, {"txt_f", "Txt_X", "Txt_Val"}, "lblEroare");
}

// Types the function and the point into a fresh window and runs it by Enter: in the initial
// value of Newton, in the value field of Evaluate, whose derivative field holds "kept"
// beforehand for the row that must leave it alone. Returns what it shows after the two fields.
template<typename Window>
QString RunByEnter(const char *function, const char *point)
{
    Window window({});
    test::ShowActive(window);
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
    test::ShowActive(window);
    QLineEdit *f = Control(window, "txt_f"), *x = Control(window, "Txt_X");
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
    for (int i = 0; i < 8; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order, QStringList({"txt_f", "Txt_X", "Txt_Val", "Txt_Der", "Cmd_calcul", "Cmd_clear",
                                  "Cmd_Exit", "Cmd_Help"}));
    EXPECT_EQ(test::HelpTopics(window, {"Cmd_Help", "Lbl_help1"}),
              QStringList({"eval.htm", "expresie.html"}));
    QTest::keyClick(Control(window, "txt_f"), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

// Beside the window's table: the separators and the tool tip of the point.
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
    test::ShowActive(window);
    QLineEdit *f = Control(window, "txt_f"), *x = Control(window, "Txt_X");
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
    EXPECT_EQ(test::HelpTopics(window, {"Cmd_Help", "Lbl_help1"}),
              QStringList({"aprox.html", "newton.html"}));
}

} // namespace
} // namespace zv

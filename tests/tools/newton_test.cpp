#include "tools/newton.h"

#include "fielddriver.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using test::Control;
using test::PressEnter;
using test::TypeInto;

QString Shown(const Newton &window)
{
    return test::Shown(window, {"txt_f", "Txt_X", "Txt_Val"}, "lblEroare");
}

// Each row typed into a fresh window and searched by Enter in the initial value.
TEST(Newton, SearchesAndFailuresThroughTheWindow)
{
    const char *const empty = "Error #17 : Enter the expression first.";
    const std::tuple<const char *, const char *, QString> rows[] = {
        {"x^2-4", "1", "2|-|Txt_X@1"},
        {"x^2-4", "-1", "-2|-|Txt_X@2"},
        {"x^2", "0", "0|-|Txt_X@1"}, // the start is the root, although f' is 0 there
        {"x^2+1", "0.5", "No root.|No root has been found.|Txt_X@3"},
        {"x^2-4", "ln(-1)",
         "Error|Error #2 : Logarithm needs to have a positive argument.|Txt_X@6"},
        {"", "1", QStringLiteral("Error|%1|txt_f@0").arg(empty)},
        {"x^2", "", QStringLiteral("Error|%1|Txt_X@0").arg(empty)},
        {"x^2", "1+x",
         "Error|Error #16 : Expression contains unknown functions or operands.|Txt_X@2"},
        {"sin(x)", "3", "3.141593|-|Txt_X@1"}, // six decimals
        {"2x-1", "0", "0.5|-|Txt_X@1"},
        {"x^2-4", "pi/2", "2|-|Txt_X@4"},
        {"x^2-4", "1,5", "2|-|Txt_X@3"}, // a typed comma, translated
        {"ln(x)", "-1", "No root.|No root has been found.|Txt_X@2"},
        {"x^2+*3", "1", "Error|Error #14 : Two operators can't stick together.|txt_f@4"},
        // The function is checked first; Enter's release in it then goes to the empty value.
        {"x^2+", "", "Error|Error #23 : Expression can't end in an operator.|Txt_X@0"},
    };
    for (const auto &[function, initial, shown] : rows) {
        SCOPED_TRACE(std::string(function) + " from " + initial);
        Newton window({});
        test::ShowActive(window);
        TypeInto(Control(window, "txt_f"), QString::fromLatin1(function));
        TypeInto(Control(window, "Txt_X"), QString::fromLatin1(initial));
        PressEnter();
        EXPECT_EQ(Shown(window).section('|', 2), shown);
    }
}

TEST(Newton, AproxFillsTheFieldsAndShowsTheOutcome)
{
    Newton window(QStringLiteral("2x"));
    test::ShowActive(window);
    window.Cmd_calcul_Click(); // fails on the empty initial value
    window.Aprox(QStringLiteral("2*x-1"), 3.00000049);
    EXPECT_EQ(Shown(window).section('|', 0, 3), "2*x-1|3|0.5|-");
    window.Aprox(QStringLiteral("x^2+1"), 0.5);
    EXPECT_EQ(Shown(window).section('|', 2, 3), "No root.|No root has been found.");
    const QLocale saved; // the user's decimal comma
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    window.Aprox(QStringLiteral("x^2-2.25"), 1.25);
    QLocale::setDefault(saved);
    EXPECT_EQ(Shown(window).section('|', 1, 2), "1,25|1,5");
}

TEST(Newton, EnterRulesClearingResetAndHelp)
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
    EXPECT_EQ(test::HelpTopics(window, {"Cmd_Help", "Lbl_help1"}),
              QStringList({"aprox.html", "newton.html"}));
}

} // namespace
} // namespace zv

// The Compare methods window, driven as a user drives it.
#include "methods/methodsreport.h"
#include "tools/convergenceplot.h"
#include "tools/methodswindow.h"
#include "ui/helprequest.h"

#include "tests/support/cases.h"
#include "tests/support/control.h"
#include "tests/support/messagerecorder.h"
#include "tests/support/scratch.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace zv {
namespace {

using test::Control;

QString Caption(const QSignalSpy &spy, qsizetype i)
{
    return spy.at(i).at(0).value<PlotOverlay>().caption;
}

TEST(MethodsWindow, OpensOnAGraphsEquationAndStepsTheSelectedMethodOverIt)
{
    MethodsWindow window(QStringLiteral("x^3-2*x-5"), std::pair{2.0, 3.0});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto *summary = Control<QTableWidget>(window, "lstSummary");
    auto *iterations = Control<QTableWidget>(window, "lstIterations");
    ASSERT_EQ(summary->rowCount(), 7);
    EXPECT_EQ(summary->item(0, 0)->text(), QStringLiteral("bisection"));
    EXPECT_EQ(summary->item(0, 5)->text(), QStringLiteral("converged"));
    EXPECT_EQ(iterations->rowCount(), window.Runs()[0].iterates.size());

    // Each converged method's line is painted in its colour.
    const QImage plot = Control<ConvergencePlot>(window, "picConvergence")->grab().toImage();
    for (int i = 0; i < 7; ++i) {
        bool seen = false;
        for (int y = 0; y < plot.height() && !seen; ++y)
            for (int x = 0; x < plot.width() && !seen; ++x)
                seen = plot.pixelColor(x, y) == ConvergencePlot::LineColour(i);
        EXPECT_TRUE(seen) << i;
    }

    QSignalSpy overlays(&window, &MethodsWindow::overlayRequested);
    QTest::mouseClick(Control<QPushButton>(window, "cmdShow"), Qt::LeftButton);
    // A mnemonic clicks its button a moment later, as a click looks.
    QTest::keyClick(window.windowHandle(), Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return overlays.size() == 2; }));
    EXPECT_EQ(Caption(overlays, 0), QStringLiteral("Bisection: step 1 of 34"));
    const auto second = overlays.at(1).at(0).value<PlotOverlay>();
    EXPECT_EQ(second.caption, QStringLiteral("Bisection: step 2 of 34"));
    ASSERT_TRUE(second.bracket);
    EXPECT_EQ(second.bracket->lo, 2);
    EXPECT_EQ(second.bracket->hi, 2.5);
    EXPECT_EQ(iterations->currentRow(), 1);

    // Another method while steps are on view: its first step, the tangent at x0.
    summary->selectRow(4);
    ASSERT_EQ(overlays.size(), 3);
    const auto tangent = overlays.at(2).at(0).value<PlotOverlay>();
    EXPECT_EQ(tangent.caption, QStringLiteral("Newton: step 1 of 5"));
    ASSERT_EQ(tangent.lines.size(), 1u);
    EXPECT_EQ(tangent.lines[0].x1, 2.5);
    EXPECT_EQ(tangent.lines[0].x2, window.Runs()[4].iterates[1].x);
    EXPECT_FALSE(tangent.bracket);

    // Play runs to the last step and stops there.
    auto *play = Control<QPushButton>(window, "cmdPlay");
    QTest::mouseClick(play, Qt::LeftButton);
    // (QTRY_ macros would report to QtTest, which gtest never hears of.)
    EXPECT_TRUE(QTest::qWaitFor([&] { return !play->text().contains(QLatin1String("Pause")); },
                                10 * MethodsWindow::kPlayInterval));
    EXPECT_EQ(Caption(overlays, overlays.size() - 1), QStringLiteral("Newton: step 5 of 5"));
    EXPECT_EQ(overlays.size(), 7);
    EXPECT_EQ(play->text(), QStringLiteral("&Play"));
    EXPECT_FALSE(Control<QPushButton>(window, "cmdStep")->isEnabled());

    // A changed input clears the results and the graph's marks; so does closing.
    Control(window, "txtTol")->setText(QStringLiteral("1e-6"));
    EXPECT_EQ(summary->rowCount(), 0);
    ASSERT_EQ(overlays.size(), 8);
    EXPECT_TRUE(overlays.at(7).at(0).value<PlotOverlay>().IsEmpty());
    QTest::keyClick(Control(window, "txtTol"), Qt::Key_Return);
    QTest::keyClick(window.windowHandle(), Qt::Key_W, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return overlays.size() == 9; }));
    EXPECT_EQ(Caption(overlays, 8), QStringLiteral("Bisection: step 1 of 20"));
    window.reject();
    EXPECT_TRUE(overlays.last().at(0).value<PlotOverlay>().IsEmpty());
}

TEST(MethodsWindow, AFieldAtFaultGetsTheFocusBeforeItsFaultyToken)
{
    const std::tuple<const char *, const char *, const char *, int, const char *> cases[] = {
        {"Function", "txt_f", "x^2+*4", 4, "Error #14 : Two operators can't stick together."},
        {"RightEnd", "txtB", "x", 0,
         "Error #16 : Expression contains unknown functions or operands."},
        {"Tolerance", "txtTol", "0", 1, "The tolerance must be a number above 0."},
        {"Start", "txtX0", "ln(0)", 5, "Error #2 : Logarithm needs to have a positive argument."},
    };
    test::ForEachCase(cases,
                      [](auto, const char *name, const char *text, int caret, const char *message) {
                          MethodsWindow window(QStringLiteral("x^2-2"), std::pair{0.0, 2.0});
                          window.show();
                          ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
                          QLineEdit *field = Control(window, name);
                          field->setText(QString::fromLatin1(text));
                          QTest::keyClick(field, Qt::Key_Return);
                          auto *error = Control<QLabel>(window, "lblEroare");
                          EXPECT_TRUE(error->isVisible());
                          EXPECT_EQ(error->text(), QString::fromLatin1(message));
                          EXPECT_EQ(QApplication::focusWidget(), field);
                          EXPECT_EQ(field->cursorPosition(), caret);
                          EXPECT_EQ(Control<QTableWidget>(window, "lstSummary")->rowCount(), 0);
                      });
}

TEST(MethodsWindow, HelpAndTheTablesAsCsvFiles)
{
    MethodsWindow window(QStringLiteral("(x-1)^3"), std::pair{0.0, 3.0});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QString topic;
    SetHelpTopicHandler([&](QWidget *, const QString &asked) { topic = asked; });
    QTest::keyClick(window.windowHandle(), Qt::Key_F1);
    SetHelpTopicHandler(nullptr);
    EXPECT_EQ(topic, QStringLiteral("methods.html"));

    test::Folder folder;
    test::Recorder recorder;
    recorder.chosenFile = QString::fromStdString((folder.path / "runs.csv").string());
    QTest::mouseClick(Control<QPushButton>(window, "cmdExportIterations"), Qt::LeftButton);
    EXPECT_EQ(test::ReadFile(folder.path / "runs.csv"), IterationsCsv(window.Runs()));
    QTest::mouseClick(Control<QPushButton>(window, "cmdExportSummary"), Qt::LeftButton);
    const std::string summary = test::ReadFile(folder.path / "runs.csv");
    EXPECT_TRUE(summary.starts_with("method,root,iterations,evaluations,order,ratio,stopped "
                                    "because\r\nbisection,"));
    EXPECT_NE(summary.find("\r\nnewton (multiplicity 3),"), std::string::npos);
    ASSERT_EQ(recorder.dialogs.size(), 2);
    EXPECT_EQ(recorder.dialogs[1].mode, FileDialogMode::Save);

    // A file that cannot be written is said, and nothing else changes.
    recorder.chosenFile = QString::fromStdString((folder.path / "none" / "x.csv").string());
    QTest::mouseClick(Control<QPushButton>(window, "cmdExportSummary"), Qt::LeftButton);
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_TRUE(recorder.messages[0].prompt.endsWith(QStringLiteral("No such file or directory")));
}

} // namespace
} // namespace zv

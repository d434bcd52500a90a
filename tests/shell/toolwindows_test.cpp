#include "shell/appearance.h"
#include "shell/projectfile.h"
#include "tools/evaluare.h"
#include "tools/newton.h"
#include "tools/xpert.h"

#include "shell.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace zv {
namespace {

QString FieldText(const QWidget &window, const char *name)
{
    return window.findChild<QLineEdit *>(QLatin1String(name))->text();
}

// Runs open, which must show a modal window over the main window; hands it to inspect as
// "field=text" of the named fields while it is up, then closes it.
QString WithModal(const std::function<void()> &open, QStringList fields)
{
    QString seen = QStringLiteral("no modal window");
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (window == nullptr)
            return;
        seen = window->metaObject()->className();
        for (const QString &field : fields)
            seen += ' ' + field + '=' + FieldText(*window, field.toLatin1().constData());
        if (qobject_cast<MainWindow *>(window->parentWidget()) == nullptr)
            seen += QStringLiteral(" not over the main window");
        if (window->palette().color(QPalette::Window) != CurrentThemeColours().background)
            seen += QStringLiteral(" unthemed");
        window->reject();
    });
    open();
    return seen;
}

TEST(ToolWindows, EvaluateAndNewtonOpenModallyOnTheAskingWindowsFunction)
{
    test::Shell shell;
    shell.main.show();
    const auto entry = [&](const char *name) {
        return [&shell, name] { shell.Entry(name)->trigger(); };
    };
    EXPECT_EQ(WithModal(entry("mnueval"), {"txt_f"}), "zv::Evaluare txt_f=");
    shell.OpenOn("x^2-4", -3, 3);
    EXPECT_EQ(WithModal(entry("mnueval"), {"txt_f"}), "zv::Evaluare txt_f=x^2-4");
    EXPECT_EQ(WithModal(entry("mnuaproximare"), {"txt_f"}), "zv::Newton txt_f=x^2-4");

    // The graph window's button and plot click, while another window is the active one.
    GraphWindow *asking = shell.OpenOn("2*x-1", 0, 2);
    shell.OpenOn("x-5", 0, 9);
    EXPECT_EQ(WithModal([&] { emit asking->approximateRequested(1.25); }, {"Txt_X", "Txt_Val"}),
              "zv::Newton Txt_X=1.25 Txt_Val=0.5");
    EXPECT_EQ(WithModal([&] { emit asking->evaluateRequested(); }, {"txt_f"}),
              "zv::Evaluare txt_f=2*x-1");
}

TEST(ToolWindows, ExamplesCloseTheWizardWithoutItsQuestionAndOpenSamples)
{
    test::Shell shell;
    shell.main.show();
    shell.main.ShowWizard();
    shell.Entry("mnue6")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shell.main.Wizard() == nullptr; }));
    shell.Entry("mnue1")->trigger();
    shell.main.SelectExample(8); // no such sample: nothing opens
    EXPECT_TRUE(shell.recorder.messages.isEmpty());
    EXPECT_EQ(shell.Titles(),
              QStringList({"Zerovane #1 - This is a sample", "Zerovane #2 - This is a sample"}));
    EXPECT_EQ(shell.Equation(0), "sin(x)-cos(x) -3.14159265358979 3.14159265358979");
}

TEST(ToolWindows, OneWizardThatKeepsTheThemeInForce)
{
    test::Shell shell;
    shell.main.show();
    shell.Entry("mnuwizard")->trigger();
    shell.Entry("mnuwizard")->trigger();
    EXPECT_EQ(shell.Titles(), QStringList({"Zerovane Wizard - Step 1 of 4"}));
    XPert *wizard = shell.main.Wizard();
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(wizard->palette().color(QPalette::Window), CurrentThemeColours().background);
    shell.main.SelectTheme(5);
    shell.OpenOn("x-1", 0, 2);
    shell.main.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(wizard->parentWidget()));
    EXPECT_EQ(wizard->palette().color(QPalette::Window), QColor(Qt::black));
}

// A project opened while the wizard stands open fills PendingGraph; Finished still opens what
// the wizard's pages checked.
TEST(ToolWindows, FinishedOpensTheWizardsOwnEquation)
{
    test::Shell shell;
    shell.main.show();
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("other.zvn"));
    ASSERT_EQ(SaveProjectFile(project, QStringLiteral("x^x-4"), 0, 6), QString());
    XPert *wizard = shell.main.ShowWizard();
    const auto button = [wizard](const char *name) {
        QTest::mouseClick(wizard->findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
    };
    button("Page1");
    wizard->findChild<QLineEdit *>(QStringLiteral("Txt_fx"))->setText(QStringLiteral("x^2-4"));
    button("Page1");
    wizard->findChild<QLineEdit *>(QStringLiteral("Txt_a"))->setText(QStringLiteral("-3"));
    wizard->findChild<QLineEdit *>(QStringLiteral("Txt_b"))->setText(QStringLiteral("3"));
    button("Page1");
    ASSERT_TRUE(shell.main.OpenProject(project));
    button("cmdFinish");
    ASSERT_TRUE(QTest::qWaitFor([&] { return shell.main.Wizard() == nullptr; }));
    ASSERT_EQ(shell.Titles(), QStringList({"Zerovane #1", "Zerovane #2"}));
    EXPECT_EQ(shell.Equation(1), "x^2-4 -3 3");
}

TEST(ToolWindows, TheWizardAsksOnItsCloseBoxButNotWhenTheProgramCloses)
{
    test::Shell shell;
    shell.main.show();
    EXPECT_FALSE(qobject_cast<QMdiSubWindow *>(shell.main.ShowWizard()->parentWidget())->close());
    shell.recorder.answer = MessageAnswer::Yes;
    EXPECT_TRUE(shell.main.close());
    EXPECT_EQ(shell.recorder.Boxes(),
              QStringList({"Are you sure you want to exit the wizard ?|Confirmation|?|yes/no",
                           "Are you sure you want to exit ?|Confirmation|?|yes/no"}));
}

} // namespace
} // namespace zv

#include "graph/graphwindow.h"
#include "shell/appearance.h"
#include "shell/mainwindow.h"
#include "shell/pendinggraph.h"
#include "tools/evaluare.h"
#include "tools/newton.h"
#include "tools/xpert.h"

#include "tests/support/messagerecorder.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace zv {
namespace {

QString FieldText(const QWidget &window, const char *name)
{
    return window.findChild<QLineEdit *>(QLatin1String(name))->text();
}

// How the main window opens and closes the tool windows and the samples.
class ToolWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane")).clear();
        GraphWindowCount() = 0;
        m_main = std::make_unique<MainWindow>();
        m_main->show();
    }

    void TearDown() override
    {
        m_recorder.answer = MessageAnswer::Yes;
        m_main->close();
        m_main.reset();
    }

    QAction *Entry(const char *name) { return m_main->findChild<QAction *>(QLatin1String(name)); }

    GraphWindow *OpenOn(const char *function, double a, double b)
    {
        PendingGraph() = GraphEquation{QString::fromLatin1(function), a, b};
        return m_main->OpenGraphWindow();
    }

    QStringList Titles() const
    {
        QStringList titles;
        for (const QMdiSubWindow *window : m_main->mdiArea()->subWindowList())
            titles << window->widget()->windowTitle();
        return titles;
    }

    // Runs open, which must show a modal window of type W over the main window; looks at it
    // through inspect while it is up, then closes it.
    template<typename W>
    void WithModal(const std::function<void()> &open, const std::function<void(W &)> &inspect)
    {
        bool seen = false;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (auto *window = qobject_cast<W *>(QApplication::activeModalWidget())) {
                seen = window->parentWidget() == m_main.get();
                inspect(*window);
                window->reject();
            }
        });
        timer.start(0);
        open();
        EXPECT_TRUE(seen);
    }

    test::Recorder m_recorder;
    std::unique_ptr<MainWindow> m_main;
};

TEST_F(ToolWindowsTest, EvaluateAndNewtonOpenOnTheAskingWindowsFunction)
{
    WithModal<Evaluare>([&] { Entry("mnueval")->trigger(); },
                        [](Evaluare &window) { EXPECT_EQ(FieldText(window, "txt_f"), ""); });
    OpenOn("x^2-4", -3, 3);
    WithModal<Evaluare>([&] { Entry("mnueval")->trigger(); },
                        [](Evaluare &window) {
                            EXPECT_EQ(FieldText(window, "txt_f"), "x^2-4");
                            EXPECT_EQ(window.palette().color(QPalette::Window),
                                      CurrentThemeColours().background);
                        });
    WithModal<Newton>([&] { Entry("mnuaproximare")->trigger(); },
                      [](Newton &window) { EXPECT_EQ(FieldText(window, "txt_f"), "x^2-4"); });

    // The graph window's button and plot click, while another window is the active one.
    GraphWindow *asking = OpenOn("2*x-1", 0, 2);
    OpenOn("x-5", 0, 9);
    WithModal<Newton>([&] { emit asking->approximateRequested(1.25); },
                      [](Newton &window) {
                          EXPECT_EQ(FieldText(window, "Txt_X"), "1.25");
                          EXPECT_EQ(FieldText(window, "Txt_Val"), "0.5");
                      });
    WithModal<Evaluare>([&] { emit asking->evaluateRequested(); },
                        [](Evaluare &window) { EXPECT_EQ(FieldText(window, "txt_f"), "2*x-1"); });
}

TEST_F(ToolWindowsTest, ExamplesCloseTheWizardWithoutItsQuestionAndOpenSamples)
{
    m_main->ShowWizard();
    Entry("mnue6")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_main->Wizard() == nullptr; }));
    Entry("mnue6")->trigger();
    Entry("mnue1")->trigger();
    m_main->SelectExample(8); // no such sample: nothing opens
    EXPECT_TRUE(m_recorder.messages.isEmpty());
    EXPECT_EQ(Titles(),
              QStringList({"Zerovane #1 - This is a sample", "Zerovane #2 - This is a sample",
                           "Zerovane #3 - This is a sample"}));
    const auto *sample =
        qobject_cast<GraphWindow *>(m_main->mdiArea()->subWindowList().at(0)->widget());
    EXPECT_EQ(sample->Get_f(), "sin(x)-cos(x)");
    EXPECT_EQ(sample->Get_a(), -3.14159265358979);
    EXPECT_EQ(sample->Get_b(), 3.14159265358979);
}

TEST_F(ToolWindowsTest, OneWizardThatKeepsTheThemeInForce)
{
    Entry("mnuwizard")->trigger();
    Entry("mnuwizard")->trigger();
    EXPECT_EQ(Titles(), QStringList({"Zerovane Wizard - Step 1 of 4"}));
    XPert *wizard = m_main->Wizard();
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(wizard->palette().color(QPalette::Window), CurrentThemeColours().background);

    m_main->SelectTheme(5);
    OpenOn("x-1", 0, 2);
    m_main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(wizard->parentWidget()));
    EXPECT_EQ(wizard->palette().color(QPalette::Window), QColor(Qt::black));
}

// A project opened while the wizard stands open fills PendingGraph; Finished still opens what
// the wizard's pages checked.
TEST_F(ToolWindowsTest, FinishedOpensTheWizardsOwnEquation)
{
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("other.zvn"));
    QFile file(project);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\"Zerovane\"\r\n\"x^x-4\"\r\n\" 0\"\r\n\" 6\"\r\n");
    file.close();

    XPert *wizard = m_main->ShowWizard();
    const auto next = [wizard] {
        QTest::mouseClick(wizard->findChild<QPushButton *>(QStringLiteral("Page1")),
                          Qt::LeftButton);
    };
    next();
    wizard->findChild<QLineEdit *>(QStringLiteral("Txt_fx"))->setText(QStringLiteral("x^2-4"));
    next();
    wizard->findChild<QLineEdit *>(QStringLiteral("Txt_a"))->setText(QStringLiteral("-3"));
    wizard->findChild<QLineEdit *>(QStringLiteral("Txt_b"))->setText(QStringLiteral("3"));
    next();
    ASSERT_TRUE(m_main->OpenProject(project));

    QTest::mouseClick(wizard->findChild<QPushButton *>(QStringLiteral("cmdFinish")),
                      Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_main->Wizard() == nullptr; }));
    EXPECT_EQ(Titles(), QStringList({"Zerovane #1", "Zerovane #2"}));
    const auto *opened =
        qobject_cast<GraphWindow *>(m_main->mdiArea()->subWindowList().at(1)->widget());
    EXPECT_EQ(opened->Get_f(), "x^2-4");
    EXPECT_EQ(opened->Get_a(), -3);
    EXPECT_EQ(opened->Get_b(), 3);
}

TEST_F(ToolWindowsTest, TheWizardAsksOnItsCloseBoxButNotWhenTheProgramCloses)
{
    auto *frame = qobject_cast<QMdiSubWindow *>(m_main->ShowWizard()->parentWidget());
    EXPECT_FALSE(frame->close()); // the recorder answers No
    m_recorder.answer = MessageAnswer::Yes;
    EXPECT_TRUE(m_main->close());
    EXPECT_EQ(m_recorder.Boxes(),
              QStringList({"Are you sure you want to exit the wizard ?|Confirmation|?|yes/no",
                           "Are you sure you want to exit ?|Confirmation|?|yes/no"}));
}

} // namespace
} // namespace zv

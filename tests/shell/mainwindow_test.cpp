#include "graph/graphwindow.h"
#include "shell/appearance.h"
#include "shell/mainwindow.h"
#include "shell/pendinggraph.h"
#include "shell/projectfile.h"
#include "shell/startup.h"
#include "texts/messagetexts.h"

#include "tests/support/cases.h"
#include "tests/support/messagerecorder.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace zv {
namespace {

// A message box as the recorder lists it, with the prompt or title given by text index.
QString Box(int prompt, int title, const char *icon)
{
    return QString::fromStdString(MessageText(prompt) + '|' + MessageText(title) + '|' + icon);
}

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane")).clear();
        GraphWindowCount() = 0;
        ASSERT_TRUE(m_dir.isValid());
    }

    void TearDown() override
    {
        if (m_main) {
            m_recorder.answer = MessageAnswer::Yes;
            m_main->close();
        }
        QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane")).clear();
    }

    MainWindow &Main()
    {
        if (!m_main)
            m_main = std::make_unique<MainWindow>();
        return *m_main;
    }

    GraphWindow *OpenOn(const char *function, double a, double b)
    {
        PendingGraph() = GraphEquation{QString::fromLatin1(function), a, b};
        return Main().OpenGraphWindow();
    }

    QAction *Entry(const char *name) { return Main().findChild<QAction *>(QLatin1String(name)); }
    QStringList Titles() const
    {
        QStringList titles;
        for (const QMdiSubWindow *window : m_main->mdiArea()->subWindowList())
            titles << window->widget()->windowTitle();
        return titles;
    }

    test::Recorder m_recorder;
    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_main;
};

// Every shortcut, and entries whose windows are not built yet stay disabled until they are.
TEST_F(MainWindowTest, MenusCarryTheirCaptionsAndShortcuts)
{
    const struct
    {
        const char *name, *caption;
        QKeySequence shortcut;
        bool enabled;
    } cases[] = {
        {"mnuopen", "&Open a project", QKeySequence(Qt::CTRL | Qt::Key_D), true},
        {"mnusaveproj", "&Save the project", QKeySequence(Qt::CTRL | Qt::Key_S), true},
        {"mnuwizard", "&Zerovane Wizard", QKeySequence(Qt::CTRL | Qt::Key_A), true},
        {"mnueval", "&Evaluate", QKeySequence(Qt::CTRL | Qt::Key_E), true},
        {"mnuaproximare", "&Approximate", QKeySequence(Qt::CTRL | Qt::Key_X), true},
        {"mnuajutor", "&Help", QKeySequence(Qt::CTRL | Qt::Key_F1), true},
        {"mnubk4", "&Blue :q)", QKeySequence(), true},
        {"mnuabout", "&About Zerovane", QKeySequence(), true},
        {"mnue1", "&1.  3^x-x^3=0", QKeySequence(Qt::SHIFT | Qt::Key_F1), true},
        {"mnue7", "&7.  arctg(x)+arctg(x^2)=0", QKeySequence(Qt::SHIFT | Qt::Key_F7), true},
    };
    test::ForEachCase(cases, [this](const auto &c) {
        QAction *entry = Entry(c.name);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->text(), QString::fromLatin1(c.caption));
        EXPECT_EQ(entry->shortcut(), c.shortcut);
        EXPECT_EQ(entry->isEnabled(), c.enabled);
    });
    QStringList bar;
    for (QAction *menu : Main().menuBar()->actions())
        bar << menu->text();
    EXPECT_EQ(bar, QStringList({"&Main", "&Calculate", "&Options", "&Help"}));
    EXPECT_GE(Main().width(), 640); // room for a graph window of about 520 x 420
    EXPECT_GE(Main().height(), 520);
}

TEST_F(MainWindowTest, WindowNumbersAreNotReusedAfterWindowsClose)
{
    for (int i = 0; i < 3; ++i)
        OpenOn("x^2-4", -3, 3);
    EXPECT_EQ(Titles(), QStringList({"Zerovane #1", "Zerovane #2", "Zerovane #3"}));
    Main().mdiArea()->closeAllSubWindows();
    EXPECT_EQ(Titles(), QStringList());
    OpenOn("x^2-4", -3, 3);
    EXPECT_EQ(Titles(), QStringList({"Zerovane #4"}));

    // The Main menu lists the open windows beneath its entries, once however often it opens.
    OpenOn("x-1", 0, 2);
    QMenu *menu = Main().findChild<QMenu *>(QStringLiteral("mnumain"));
    emit menu->aboutToShow();
    emit menu->aboutToShow();
    QStringList listed;
    for (QAction *entry : menu->actions())
        listed << entry->text();
    EXPECT_EQ(listed.mid(listed.indexOf("&Exit") + 2),
              QStringList({"&1 Zerovane #4", "&2 Zerovane #5"}));
}

TEST_F(MainWindowTest, EveryWayOfClosingAsksAndOnlyYesCloses)
{
    Main().show();
    OpenOn("x-1", 0, 2);
    OpenOn("x-2", 0, 4);
    const QString question = Box(1, 2, "?") + "|yes/no";

    m_recorder.answer = MessageAnswer::No;
    Entry("mnuexit")->trigger();
    EXPECT_FALSE(Main().close()); // the close box
    QCloseEvent request;          // a request from the system
    QApplication::sendEvent(&Main(), &request);
    EXPECT_FALSE(request.isAccepted());
    EXPECT_EQ(m_recorder.Boxes(), QStringList({question, question, question}));
    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(Titles().size(), 2);

    m_recorder.answer = MessageAnswer::Yes;
    EXPECT_TRUE(Main().close());
    EXPECT_FALSE(Main().isVisible());
    EXPECT_EQ(Titles(), QStringList());
    m_main.reset();
}

TEST_F(MainWindowTest, ThemeEntriesCheckTheThemeInForce)
{
    const auto checked = [this] {
        QList<int> themes;
        for (int k = 1; k <= kThemeCount; ++k) {
            if (Main().themeEntry(k)->isChecked())
                themes << k;
        }
        return themes;
    };
    Main().LoadAppearance(); // an empty store: the blue theme
    EXPECT_EQ(checked(), QList<int>({4}));

    Main().show();
    GraphWindow *graph = OpenOn("x-1", 0, 2);
    Main().themeEntry(2)->trigger();
    EXPECT_EQ(checked(), QList<int>({2}));
    EXPECT_EQ(Main().mdiArea()->background().color(), QColor(192, 192, 192));
    EXPECT_EQ(graph->palette().color(QPalette::Window), QColor(192, 192, 192));
    Main().themeEntry(2)->trigger(); // the checked entry again keeps its check mark
    EXPECT_EQ(checked(), QList<int>({2}));

    QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane"))
        .setValue(QStringLiteral("Settings/ForeItem"), QStringLiteral("7"));
    Main().LoadAppearance();
    EXPECT_EQ(checked(), QList<int>());
    Main().themeEntry(5)->trigger();
    EXPECT_EQ(checked(), QList<int>({5}));
}

TEST_F(MainWindowTest, OpenDropsQuotesAndOpensTheProject)
{
    const QString path = m_dir.filePath(QStringLiteral("my project.zvn"));
    ASSERT_EQ(SaveProjectFile(path, QStringLiteral("x^2-4"), -0.5, 2), QString());
    m_recorder.chosenFile = '"' + path + '"';
    Entry("mnuopen")->trigger();
    ASSERT_EQ(m_recorder.dialogs.size(), 1);
    const FileDialogRequest &dialog = m_recorder.dialogs.front();
    EXPECT_EQ(dialog.title + '|' + dialog.filter, "Open a project.|Zerovane Project (*.zvn)");
    EXPECT_EQ(dialog.mode, FileDialogMode::Open);
    EXPECT_EQ(m_recorder.Boxes(), QStringList());
    ASSERT_EQ(Titles(), QStringList({"Zerovane #1"}));
    const GraphWindow *graph = Main().ActiveGraphWindow();
    EXPECT_EQ(graph->Get_f(), QStringLiteral("x^2-4"));
    EXPECT_EQ(graph->Get_a(), -0.5);
    EXPECT_EQ(graph->Get_b(), 2.0);
}

TEST_F(MainWindowTest, SaveWritesTheActiveWindowsEquation)
{
    Entry("mnusaveproj")->trigger(); // no graph window yet
    EXPECT_EQ(m_recorder.Boxes(), QStringList({Box(10, 9, "!")}));
    EXPECT_TRUE(m_recorder.dialogs.isEmpty());

    Main().show();
    OpenOn("x^2-4", -0.5, 2);
    m_recorder.chosenFile = m_dir.filePath(QStringLiteral("saved.zvn"));
    Entry("mnusaveproj")->trigger();
    EXPECT_EQ(m_recorder.Boxes().size(), 1);
    ASSERT_EQ(m_recorder.dialogs.size(), 1);
    EXPECT_EQ(m_recorder.dialogs.front().title, QStringLiteral("Save the project"));
    EXPECT_EQ(m_recorder.dialogs.front().mode, FileDialogMode::Save);
    QFile file(m_recorder.chosenFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\"Zerovane\"\r\n\"x^2-4\"\r\n\"-.5\"\r\n\" 2\"\r\n"));

    // A failure, here a full device, shows the system's description under the fixed title.
    // (The writer's own tests fill a real file system and check the old file survives.)
    m_recorder.chosenFile = QStringLiteral("/dev/full");
    Entry("mnusaveproj")->trigger();
    ASSERT_EQ(m_recorder.messages.size(), 2);
    EXPECT_EQ(m_recorder.Boxes()[1],
              QString::fromStdString("No space left on device|" + MessageText(12) + "|!"));
}

TEST_F(MainWindowTest, StartUpOpensTheProjectNamedOnTheCommandLine)
{
    ASSERT_EQ(SaveProjectFile(m_dir.filePath("my start.zvn"), QStringLiteral("3^x-x^3"), 0, 6),
              QString());
    // Quoted, and split at the blank as a shell passes it.
    ASSERT_TRUE(StartUp(Main(), {"zerovane", '"' + m_dir.filePath("my"), "start.zvn\""}));
    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(Titles(), QStringList({"Zerovane #1"}));
    EXPECT_EQ(Main().ActiveGraphWindow()->Get_f(), QStringLiteral("3^x-x^3"));
    // No Readme.chm beside the test program: the help check says so.
    EXPECT_EQ(m_recorder.Boxes(), QStringList({Box(8, 9, "stop")}));
}

TEST_F(MainWindowTest, StartUpEndsWhenTheProjectCannotBeRead)
{
    EXPECT_FALSE(StartUp(Main(), {"zerovane", m_dir.filePath(QStringLiteral("absent.zvn"))}));
    EXPECT_FALSE(Main().isVisible());
    EXPECT_EQ(Titles(), QStringList());
    ASSERT_EQ(m_recorder.messages.size(), 2);
    EXPECT_EQ(m_recorder.Boxes()[0], Box(8, 9, "stop"));
    EXPECT_EQ(m_recorder.messages[1].prompt.toStdString(), MessageText(7));
    m_main.reset();
}

TEST_F(MainWindowTest, StartUpWithoutArgumentsShowsTheWizardWithTheStoredTheme)
{
    QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane"))
        .setValue(QStringLiteral("Settings/ForeItem"), QStringLiteral(" 3"));
    ASSERT_TRUE(StartUp(Main(), {"zerovane"}));
    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(Titles(), QStringList({"Zerovane Wizard - Step 1 of 4"}));
    EXPECT_TRUE(Main().themeEntry(3)->isChecked());
}

} // namespace
} // namespace zv

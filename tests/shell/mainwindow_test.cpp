#include "shell/appearance.h"
#include "shell/projectfile.h"
#include "shell/startup.h"
#include "ui/cursoricons.h"
#include "ui/messagetextq.h"

#include "shell.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zv {
namespace {

// A message box as the recorder lists it, with the prompt and title given by text index.
QString Box(int prompt, int title, const char *icon)
{
    return MessageTextQ(prompt) + '|' + MessageTextQ(title) + '|' + icon;
}

TEST(MainWindow, MenusCarryTheirShortcutsAndLeaveRoomForAGraphWindow)
{
    test::Shell shell;
    const std::pair<const char *, QKeySequence> rows[] = {
        {"mnuopen", Qt::CTRL | Qt::Key_D},       {"mnusaveproj", Qt::CTRL | Qt::Key_S},
        {"mnuwizard", Qt::CTRL | Qt::Key_A},     {"mnueval", Qt::CTRL | Qt::Key_E},
        {"mnuaproximare", Qt::CTRL | Qt::Key_X}, {"mnuajutor", Qt::CTRL | Qt::Key_F1},
        {"mnue1", Qt::SHIFT | Qt::Key_F1},       {"mnue7", Qt::SHIFT | Qt::Key_F7}};
    for (const auto &[name, shortcut] : rows) {
        ASSERT_NE(shell.Entry(name), nullptr) << name;
        EXPECT_EQ(shell.Entry(name)->shortcut(), shortcut) << name;
        EXPECT_TRUE(shell.Entry(name)->isEnabled()) << name;
    }
    EXPECT_EQ(shell.Entry("mnue7")->text(), QStringLiteral("&7.  arctg(x)+arctg(x^2)=0"));
    EXPECT_GE(shell.main.width(), 640); // room for a graph window of about 520 x 420
    EXPECT_GE(shell.main.height(), 520);
}

TEST(MainWindow, WindowNumbersAreNotReusedAndTheMainMenuListsTheWindowsOnce)
{
    test::Shell shell;
    for (int i = 0; i < 3; ++i)
        shell.OpenOn("x^2-4", -3, 3);
    EXPECT_EQ(shell.Titles(), QStringList({"Zerovane #1", "Zerovane #2", "Zerovane #3"}));
    shell.main.mdiArea()->closeAllSubWindows();
    shell.OpenOn("x^2-4", -3, 3);
    shell.OpenOn("x-1", 0, 2);
    EXPECT_EQ(shell.Titles(), QStringList({"Zerovane #4", "Zerovane #5"}));
    QMenu *menu = shell.main.findChild<QMenu *>(QStringLiteral("mnumain"));
    emit menu->aboutToShow();
    emit menu->aboutToShow();
    QStringList listed;
    for (QAction *entry : menu->actions())
        listed << entry->text();
    EXPECT_EQ(listed.mid(listed.indexOf("&Exit") + 2),
              QStringList({"&1 Zerovane #4", "&2 Zerovane #5"}));
}

TEST(MainWindow, EveryWayOfClosingAsksAndOnlyYesCloses)
{
    test::Shell shell;
    shell.main.show();
    shell.OpenOn("x-1", 0, 2);
    shell.Entry("mnuexit")->trigger();
    EXPECT_FALSE(shell.main.close()); // the close box
    QCloseEvent request;              // a request from the system
    QApplication::sendEvent(&shell.main, &request);
    EXPECT_FALSE(request.isAccepted());
    const QString question = Box(1, 2, "?") + "|yes/no";
    EXPECT_EQ(shell.recorder.Boxes(), QStringList({question, question, question}));
    EXPECT_TRUE(shell.main.isVisible());
    EXPECT_EQ(shell.Titles().size(), 1);
    shell.recorder.answer = MessageAnswer::Yes;
    EXPECT_TRUE(shell.main.close());
    EXPECT_FALSE(shell.main.isVisible());
    EXPECT_EQ(shell.Titles(), QStringList());
}

TEST(MainWindow, ThemeEntriesCheckTheThemeInForce)
{
    test::Shell shell;
    const auto checked = [&] {
        QList<int> themes;
        for (int k = 1; k <= kThemeCount; ++k) {
            if (shell.main.themeEntry(k)->isChecked())
                themes << k;
        }
        return themes;
    };
    shell.main.LoadAppearance(); // an empty store: the blue theme
    EXPECT_EQ(checked(), QList<int>({4}));
    shell.main.show();
    GraphWindow *graph = shell.OpenOn("x-1", 0, 2);
    shell.main.themeEntry(2)->trigger();
    shell.main.themeEntry(2)->trigger(); // the checked entry again keeps its check mark
    EXPECT_EQ(checked(), QList<int>({2}));
    EXPECT_EQ(shell.main.mdiArea()->background().color(), QColor(192, 192, 192));
    EXPECT_EQ(graph->palette().color(QPalette::Window), QColor(192, 192, 192));
    QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane"))
        .setValue(QStringLiteral("Settings/ForeItem"), QStringLiteral("7"));
    shell.main.LoadAppearance();
    EXPECT_EQ(checked(), QList<int>());
    shell.main.themeEntry(5)->trigger();
    EXPECT_EQ(checked(), QList<int>({5}));
}

TEST(MainWindow, OpenDropsQuotesAndSaveWritesTheActiveWindowsEquation)
{
    test::Shell shell;
    QTemporaryDir dir;
    shell.Entry("mnusaveproj")->trigger(); // no graph window yet
    EXPECT_EQ(shell.recorder.Boxes(), QStringList({Box(10, 9, "!")}));
    EXPECT_TRUE(shell.recorder.dialogs.isEmpty());

    const QString path = dir.filePath(QStringLiteral("my project.zvn"));
    ASSERT_EQ(SaveProjectFile(path, QStringLiteral("x^2-4"), -0.5, 2), QString());
    shell.recorder.chosenFile = '"' + path + '"';
    shell.Entry("mnuopen")->trigger();
    ASSERT_EQ(shell.recorder.dialogs.size(), 1);
    const FileDialogRequest &open = shell.recorder.dialogs[0];
    EXPECT_EQ(open.title + '|' + open.filter, "Open a project.|Zerovane Project (*.zvn)");
    EXPECT_EQ(open.mode, FileDialogMode::Open);
    ASSERT_EQ(shell.Titles(), QStringList({"Zerovane #1"}));
    EXPECT_EQ(shell.Equation(0), "x^2-4 -0.5 2");

    shell.main.show();
    shell.OpenOn("x^3", 0.25, 2);
    shell.recorder.chosenFile = dir.filePath(QStringLiteral("saved.zvn"));
    shell.Entry("mnusaveproj")->trigger();
    ASSERT_EQ(shell.recorder.dialogs.size(), 2);
    EXPECT_EQ(shell.recorder.dialogs[1].title, QStringLiteral("Save the project"));
    EXPECT_EQ(shell.recorder.dialogs[1].mode, FileDialogMode::Save);
    QFile file(shell.recorder.chosenFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\"Zerovane\"\r\n\"x^3\"\r\n\" .25\"\r\n\" 2\"\r\n"));
}

TEST(MainWindow, StartUpOpensTheProjectNamedOnTheCommandLineOrEnds)
{
    test::Shell shell;
    QTemporaryDir dir;
    int status = -1;
    EXPECT_FALSE(
        StartUp(shell.main, {"zerovane", dir.filePath(QStringLiteral("absent.zvn"))}, &status));
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(shell.main.isVisible());
    // No Readme.chm beside the test program: the help check says so, then the reader.
    EXPECT_EQ(shell.recorder.Boxes().first(), Box(8, 9, "stop"));
    ASSERT_EQ(shell.recorder.messages.size(), 2);
    EXPECT_EQ(shell.recorder.messages[1].prompt, MessageTextQ(7));

    ASSERT_EQ(SaveProjectFile(dir.filePath("my start.zvn"), QStringLiteral("3^x-x^3"), 0, 6),
              QString());
    // Quoted, and split at the blank as a shell passes it.
    ASSERT_TRUE(StartUp(shell.main, {"zerovane", '"' + dir.filePath("my"), "start.zvn\""}));
    EXPECT_TRUE(shell.main.isVisible());
    EXPECT_EQ(shell.Titles(), QStringList({"Zerovane #1"}));
    EXPECT_EQ(shell.Equation(0), "3^x-x^3 0 6");
}

// Each test runs in a process of its own under CTest, so nothing has loaded the cursors before.
TEST(MainWindow, StartUpWithoutArgumentsLoadsTheCursorsAndShowsTheWizardInTheStoredTheme)
{
    test::Shell shell;
    QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane"))
        .setValue(QStringLiteral("Settings/ForeItem"), QStringLiteral(" 3"));
    ASSERT_TRUE(StartUp(shell.main, {"zerovane"}));
    EXPECT_TRUE(shell.main.isVisible());
    EXPECT_EQ(shell.Titles(), QStringList({"Zerovane Wizard - Step 1 of 4"}));
    EXPECT_TRUE(shell.main.themeEntry(3)->isChecked());
    for (int number = kFirstCursorIcon; number <= kLastCursorIcon; ++number)
        EXPECT_EQ(CursorIcon(number).shape(), Qt::BitmapCursor) << number;
}

} // namespace
} // namespace zv

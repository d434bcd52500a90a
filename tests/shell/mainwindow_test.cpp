#include "graph/plotscene.h"
#include "helpviewer/helpbrowser.h"
#include "helpviewer/helpwindow.h"
#include "shell/aboutwindow.h"
#include "shell/appearance.h"
#include "shell/helpfile.h"
#include "shell/projectfile.h"
#include "shell/startup.h"
#include "shell/storedsettings.h"
#include "shell/weblinks.h"
#include "tools/methodswindow.h"
#include "tools/xpert.h"
#include "ui/helprequest.h"
#include "ui/messagetextq.h"
#include "ui/systempath.h"

#include "shell.h"
#include "tests/support/cases.h"
#include "tests/support/scratch.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <sys/stat.h>

namespace zv {
namespace {

// A message box as the recorder lists it, with the prompt and title given by text index.
QString Box(int prompt, int title, const char *icon)
{
    return MessageTextQ(prompt) + '|' + MessageTextQ(title) + '|' + icon;
}

// The window menu lists the windows once however often it opens; numbers are not reused.
// Commands with nothing to act on are greyed: Save without a graph window (the wizard is none),
// Help and Index without the help file (ShellHelp has it), the recent projects while there are
// none (RecentProjects has some).
TEST(MainWindow, MenusCarryTheirShortcutsListTheWindowsAndGreyWhatHasNothingToActOn)
{
    test::Shell shell;
    shell.main.show();
    const auto offered = [&shell] {
        QString entries;
        for (const char *name : {"mnusaveproj", "mnuajutor", "mnuindex", "mnueval"})
            entries += shell.Entry(name)->isEnabled() ? '1' : '0';
        return entries + (shell.main.findChild<QMenu *>("mnurecent")->isEnabled() ? '1' : '0');
    };
    QStringList seen{offered()};
    const std::pair<const char *, QKeySequence> rows[] = {
        {"mnuopen", Qt::CTRL | Qt::Key_D},       {"mnusaveproj", Qt::CTRL | Qt::Key_S},
        {"mnuwizard", Qt::CTRL | Qt::Key_A},     {"mnueval", Qt::CTRL | Qt::Key_E},
        {"mnuaproximare", Qt::CTRL | Qt::Key_X}, {"mnuajutor", Qt::CTRL | Qt::Key_F1},
        {"mnue1", Qt::SHIFT | Qt::Key_F1},       {"mnue7", Qt::SHIFT | Qt::Key_F7},
        {"mnumethods", Qt::CTRL | Qt::Key_M}};
    for (const auto &[name, shortcut] : rows) {
        ASSERT_NE(shell.Entry(name), nullptr) << name;
        EXPECT_EQ(shell.Entry(name)->shortcut(), shortcut) << name;
    }
    EXPECT_EQ(shell.Entry("mnue7")->text(), QStringLiteral("&7.  arctg(x)+arctg(x^2)=0"));
    for (const WebPage &page : BuiltWebPages()) // shown only when the build gave the address
        EXPECT_EQ(shell.Entry(page.name)->isVisible(), !page.address.isEmpty()) << page.name;
    EXPECT_GE(shell.main.width(), 640); // room for a graph window of about 520 x 420
    EXPECT_GE(shell.main.height(), 520);
    for (int i = 0; i < 3; ++i)
        shell.OpenOn("x^2-4", -3, 3);
    seen << offered();
    shell.main.ShowWizard();
    seen << offered();
    shell.main.CloseWizard();
    shell.main.mdiArea()->closeAllSubWindows();
    seen << offered();
    EXPECT_EQ(seen, QStringList({"00010", "10010", "00010", "00010"}));
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

// The wizard asks on its own close box, but not when the program closes.
TEST(MainWindow, EveryWayOfClosingAsksAndOnlyYesCloses)
{
    test::Shell shell;
    shell.main.show();
    shell.OpenOn("x-1", 0, 2);
    EXPECT_FALSE(qobject_cast<QMdiSubWindow *>(shell.main.ShowWizard()->parentWidget())->close());
    shell.Entry("mnuexit")->trigger();
    EXPECT_FALSE(shell.main.close()); // the close box
    QCloseEvent request;              // a request from the system
    QApplication::sendEvent(&shell.main, &request);
    EXPECT_FALSE(request.isAccepted());
    const QString question = Box(1, 2, "?") + "|yes/no";
    const QString wizard = "Are you sure you want to exit the wizard ?|Confirmation|?|yes/no";
    EXPECT_EQ(shell.recorder.Boxes(), QStringList({wizard, question, question, question}));
    EXPECT_TRUE(shell.main.isVisible());
    EXPECT_EQ(shell.Titles().size(), 2);
    shell.recorder.answer = MessageAnswer::Yes;
    EXPECT_TRUE(shell.main.close());
    EXPECT_EQ(shell.recorder.Boxes().mid(4), QStringList({question}));
    EXPECT_EQ(shell.Titles(), QStringList());
}

// Print is greyed while no graph window is there. Grid and scale reaches every graph window,
// open or opened later, and is kept in the settings file for the next start.
TEST(MainWindow, PrintNeedsAGraphWindowAndGridAndScaleIsKept)
{
    test::Shell shell;
    shell.main.show();
    QAction *print = shell.Entry("mnuprint");
    EXPECT_EQ(print->shortcut(), QKeySequence(QKeySequence::Print));
    EXPECT_FALSE(print->isEnabled());
    GraphWindow *first = shell.OpenOn("x-1", 0, 2);
    EXPECT_TRUE(print->isEnabled());
    EXPECT_FALSE(first->Scene().gridShown);
    shell.Entry("mnugrid")->trigger();
    EXPECT_TRUE(first->Scene().gridShown && shell.OpenOn("x", -1, 1)->Scene().gridShown);
    EXPECT_NE(test::ReadFile(SettingsFilePath().toStdString()).find("[View]\nGrid=true\n"),
              std::string::npos);
    MainWindow next;
    next.LoadAppearance();
    EXPECT_TRUE(next.findChild<QAction *>(QStringLiteral("mnugrid"))->isChecked());
    shell.main.mdiArea()->closeAllSubWindows();
    EXPECT_FALSE(print->isEnabled());
}

TEST(MainWindow, OpenDropsQuotesAndSaveWritesTheActiveWindowsEquation)
{
    test::Shell shell;
    QTemporaryDir dir;
    shell.recorder.chosenFile = QStringLiteral("\"" ZV_EXAMPLES_DIR "/sample1.zvn\"");
    shell.Entry("mnuopen")->trigger();
    EXPECT_EQ(shell.Equations(), QStringList({"3^x-x^3 0 6"}));

    shell.main.show();
    shell.OpenOn("x^3", 0.25, 2);
    shell.recorder.chosenFile = dir.filePath(QStringLiteral("saved.zvn"));
    shell.Entry("mnusaveproj")->trigger();
    QStringList dialogs; // title|filter|open (1) or save
    for (const FileDialogRequest &dialog : shell.recorder.dialogs)
        dialogs << dialog.title + '|' + dialog.filter + '|' +
                       (dialog.mode == FileDialogMode::Open ? '1' : '0');
    EXPECT_EQ(dialogs, QStringList({"Open a project.|Zerovane Project (*.zvn)|1",
                                    "Save the project|Zerovane Project (*.zvn)|0"}));
    EXPECT_EQ(test::ReadFile(shell.recorder.chosenFile.toStdString()),
              "\"Zerovane\"\r\n\"x^3\"\r\n\" .25\"\r\n\" 2\"\r\n");
}

// A project to open (quoted, and split at the blank as a shell passes it), or the program ends
// with status 1. A batch export never starts the windows (it is tested through the executable,
// tests/app).
TEST(StartUp, OpensTheProjectOnTheCommandLineOrEndsWithStatusOne)
{
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("my eq.zvn"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZV_EXAMPLES_DIR "/sample1.zvn"), project));
    SaveProjectFile(dir.filePath("q\"uote.zvn"), "x-1", 0, 2); // a name to take as it stands
    // No Readme.chm beside the test program: the help check says so first.
    const QString help = Box(8, 9, "stop"),
                  unread = MessageTextQ(7) + "|No such file or directory|!";
    // The arguments, the exit status (-1: the program goes on), the windows and the boxes.
    const std::tuple<const char *, QStringList, int, QStringList, QStringList> rows[] = {
        {"open", {'"' + dir.filePath("my"), "eq.zvn\""}, -1, {"3^x-x^3 0 6"}, {help}},
        {"absent", {dir.filePath("absent.zvn")}, 1, {}, {help, unread}},
        {"a quote in a name", {dir.filePath("q\"uote.zvn")}, -1, {"x-1 0 2"}, {help}},
        // Only "-x" and a blank ask for the export: these are project paths.
        {"-x and a path", {"-x" + project}, 1, {}, {help, unread}},
        {"-x alone", {"-x"}, 1, {}, {help, unread}},
    };
    test::ForEachCase(rows, [](auto, const QStringList &arguments, int exitStatus,
                               const QStringList &windows, const QStringList &boxes) {
        test::Shell shell;
        int status = -1;
        EXPECT_EQ(StartUp(shell.main, QStringList("zerovane") + arguments, &status),
                  exitStatus == -1);
        EXPECT_EQ(status, exitStatus);
        EXPECT_EQ(shell.main.isVisible(), exitStatus == -1);
        EXPECT_EQ(shell.Equations(), windows);
        EXPECT_EQ(shell.recorder.Boxes(), boxes);
    });
}

// Drags the files over the document area and drops them there; returns whether the window took
// the drag (otherwise the platform shows its forbidden cursor).
bool Drop(MainWindow &main, const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths) // as a file manager sends them: the name's bytes
        urls << QUrl::fromEncoded("file://" + PathBytes(path).toPercentEncoding("/"));
    data.setUrls(urls);
    QWidget *target = main.mdiArea()->viewport();
    const QPoint centre = target->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

// A drop of projects opens each as Open opens one, and both take a file by its bytes (the dialog
// shows a name that is not UTF-8 lossily); a drop of anything else is refused.
TEST(OpenAndDrop, TakeProjectsByTheirBytesAndRefuseAnythingElse)
{
    const test::Folder folder; // Qt could not remove a name that is not UTF-8
    const auto write = [&folder](const char *name, const char *function, double b = 2) {
        const QString path = PathFromBytes((folder.path / name).c_str());
        EXPECT_EQ(SaveProjectFile(path, QLatin1String(function), 0, b), QString());
        return path;
    };
    const QString one = write("one.zvn", "x^2-4"), two = write("two.ZVN", "x-1"),
                  text = write("notes.txt", "x"), bad = write("bad.zvn", "x+"),
                  inverted = write("ab.zvn", "x", -2);
    const QString syntax = MessageTextQ(6) + "|Zerovane|",
                  noInterval = MessageTextQ(38) + " [0 ; -2]|Zerovane|!";
    // Taken by a drop (Open takes the one file of such rows), the windows and the boxes then.
    const std::tuple<const char *, QStringList, bool, QStringList, QStringList> rows[] = {
        {"two projects", {one, two}, true, {"x^2-4 0 2", "x-1 0 2"}, {}},
        {"not UTF-8", {write("bad\xff\xfe.zvn", "x-2")}, true, {"x-2 0 2"}, {}},
        {"a project the reader rejects", {bad}, true, {}, {syntax}},
        {"a above b", {inverted}, true, {}, {noInterval}},
        {"a text file", {text}, false, {}, {}},
        {"a project with a text file", {one, text}, false, {}, {}}};
    for (const auto &[name, paths, taken, windows, boxes] : rows) {
        for (const bool drop : {false, true}) {
            SCOPED_TRACE(std::string(name) + (drop ? " dropped" : " opened"));
            if (!drop && (!taken || paths.size() > 1))
                continue;
            test::Shell shell;
            shell.recorder.chosenFile = QFile::decodeName(PathBytes(paths[0]));
            if (drop)
                EXPECT_EQ(Drop(shell.main, paths), taken);
            else
                shell.Entry("mnuopen")->trigger();
            EXPECT_EQ(shell.Equations(), windows);
            EXPECT_EQ(shell.recorder.Boxes(), boxes);
        }
    }
}

TEST(AboutWindow, TheHelpMenuShowsItModalWithLogoNameAuthorAndYear)
{
    test::Shell shell;
    shell.main.show();
    shell.Entry("mnuabout")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
    auto *about = qobject_cast<AboutWindow *>(QApplication::activeModalWidget());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->parentWidget(), &shell.main);
    const auto *label = about->findChild<QLabel *>(QStringLiteral("Lbl_about"));
    // The author's line between the name and the year.
    EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern("Zerovane 1\\.0\n.+\n2003"))
                    .match(label->text())
                    .hasMatch());
    EXPECT_EQ(about->windowTitle() + (label->font().bold() ? " bold" : ""), "About Zerovane bold");
    EXPECT_FALSE(about->findChild<QLabel *>(QStringLiteral("imgabout"))->pixmap().isNull());
    EXPECT_FALSE(ProgramIcon().isNull());
    // No button of its own: the window's close (here Esc) ends it, and it is gone afterwards.
    const QPointer<AboutWindow> closing(about);
    QTest::keyClick(about, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return closing.isNull(); }));
}

// The help windows that are open, as "title tab" of each, once they have read their file.
QStringList OpenHelpWindows()
{
    QStringList open;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *help = qobject_cast<HelpWindow *>(window); help && help->isVisible()) {
            EXPECT_TRUE(QTest::qWaitFor([help] { return !help->isReading(); }));
            open << help->browser()->documentTitle() + ' ' +
                        QString::number(help->navigation()->currentIndex());
        }
    }
    return open;
}

// Which page each request opens is the viewer's test; here the menu and the windows reach it,
// and without the file (a pipe in its place would hold the check) start-up says so once and
// help does nothing. The file beside the program (a build tree) comes before the one in the data
// folder of an install.
TEST(ShellHelp, OnlyWithTheFileTheMenuAndEveryWindowOpenTheOneViewer)
{
    // Where copies of the file lie (the program being in bin), where a pipe stands in its place,
    // and the one taken.
    const std::tuple<QString, QString, QString> rows[] = {{"", "", ""},
                                                          {"", "bin", ""},
                                                          {"share/zerovane", "", "share/zerovane"},
                                                          {"share/zerovane bin", "", "bin"}};
    for (const auto &[places, pipe, found] : rows) {
        SCOPED_TRACE((places + "|" + pipe).toStdString());
        QTemporaryDir dir;
        ASSERT_TRUE(QDir(dir.path()).mkpath("bin"));
        for (const QString &place : places.split(' ', Qt::SkipEmptyParts)) {
            ASSERT_TRUE(QDir(dir.path()).mkpath(place) &&
                        QFile::copy(ZV_HELP_FILE, dir.filePath(place + "/Readme.chm")));
        }
        ASSERT_TRUE(pipe.isEmpty() ||
                    mkfifo(QFile::encodeName(dir.filePath(pipe + "/Readme.chm")), 0600) == 0);
        const bool withFile = !found.isEmpty();
        test::Shell shell;
        EXPECT_EQ(SetUpHelp(shell.main, dir.filePath("bin")), withFile);
        EXPECT_EQ(HelpFilePath(), withFile ? dir.filePath(found + "/Readme.chm") : QString());
        QStringList seen;
        shell.Entry("mnuajutor")->trigger();
        seen << OpenHelpWindows();
        shell.Entry("mnuindex")->trigger();
        seen << OpenHelpWindows();
        ShowHelpTopic(&shell.main, {}); // F1 where no window has a topic: the contents
        seen << OpenHelpWindows();
        ShowHelpTopic(&shell.main, QStringLiteral("mg.html"));
        seen << OpenHelpWindows();
        EXPECT_EQ(seen, withFile ? QStringList({"Welcome to Zerovane 0", "Welcome to Zerovane 1",
                                                "Welcome to Zerovane 0", "The graph window 0"})
                                 : QStringList());
        EXPECT_EQ(shell.Entry("mnuindex")->isEnabled(), withFile);
        EXPECT_EQ(shell.recorder.Boxes(),
                  withFile ? QStringList() : QStringList({Box(8, 9, "stop")}));
    }
    EXPECT_EQ(OpenHelpWindows(), QStringList()); // the viewer ends with the main window
    SetHelpTopicHandler(nullptr);
}

// An entry without an address is not shown; one with an address opens it, and says so when no
// browser could (none can on the offscreen platform).
TEST(WebPages, OnlyAnEntryWithAnAddressShowsAndItSaysWhenNoBrowserOpensThePage)
{
    test::Recorder recorder;
    QMenu menu;
    const WebPage pages[] = {{"site", "&Site", QStringLiteral("https://zerovane.example.org/")},
                             {"download", "&Download", QString()}};
    AddWebPageEntries(&menu, pages, &menu);
    QList<bool> shown;
    for (const QAction *entry : menu.actions())
        shown << entry->isVisible();
    EXPECT_EQ(shown, QList<bool>({true, false}));
    menu.actions().constFirst()->trigger();
    EXPECT_EQ(recorder.Boxes(),
              QStringList("No web browser could open https://zerovane.example.org/|Error|!"));
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
            seen += ' ' + field + '=' + window->findChild<QLineEdit *>(field)->text();
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

TEST(ToolWindows, CompareMethodsOpensOnceNotModalOnTheActiveGraph)
{
    test::Shell shell;
    shell.main.show();
    shell.OpenOn("x^3-2*x-5", 2, 3);
    shell.Entry("mnumethods")->trigger();
    MethodsWindow *window = shell.main.findChild<MethodsWindow *>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->findChild<QLineEdit *>(QStringLiteral("txt_f"))->text(),
              QStringLiteral("x^3-2*x-5"));
    EXPECT_EQ(window->findChild<QLineEdit *>(QStringLiteral("txtB"))->text(), QStringLiteral("3"));
    EXPECT_EQ(window->Runs().size(), 7u);
    // A step is drawn on the graph of the compared function, and again on a new graph of it
    // once that one is closed; closing the comparison clears it.
    GraphWindow *graph = shell.main.ActiveGraphWindow();
    window->Cmd_show_Click();
    EXPECT_FALSE(graph->Scene().overlay.IsEmpty());
    graph->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    window->Cmd_step_Click();
    GraphWindow *again = shell.main.ActiveGraphWindow();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Get_f(), QStringLiteral("x^3-2*x-5"));
    EXPECT_FALSE(again->Scene().overlay.IsEmpty());
    // Asked again, the same window comes forward; closed, it is gone and its steps with it.
    EXPECT_EQ(shell.main.OpenMethods(), window);
    window->close();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return shell.main.findChild<MethodsWindow *>() == nullptr; }));
    EXPECT_TRUE(again->Scene().overlay.IsEmpty());
}

// A project opened while the wizard stands open fills PendingGraph; Finished still opens what
// the wizard's pages checked.
TEST(ToolWindows, FinishedOpensTheWizardsOwnEquationAndExamplesCloseItWithoutItsQuestion)
{
    test::Shell shell;
    shell.main.show();
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
    ASSERT_TRUE(shell.main.OpenProject(QStringLiteral(ZV_EXAMPLES_DIR "/sample1.zvn")));
    button("cmdFinish");
    ASSERT_TRUE(QTest::qWaitFor([&] { return shell.main.Wizard() == nullptr; }));
    shell.main.ShowWizard();
    shell.Entry("mnue6")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shell.main.Wizard() == nullptr; }));
    shell.Entry("mnue2")->trigger();
    shell.main.SelectExample(8); // no such sample: nothing opens
    EXPECT_TRUE(shell.recorder.messages.isEmpty());
    EXPECT_EQ(shell.Titles(),
              QStringList({"Zerovane #1", "Zerovane #2", "Zerovane #3 - This is a sample",
                           "Zerovane #4 - This is a sample"}));
    EXPECT_EQ(shell.Equations(),
              QStringList({"3^x-x^3 0 6", "x^2-4 -3 3",
                           "sin(x)-cos(x) -3.14159265358979 3.14159265358979", "x^x-4 0 6"}));
}

} // namespace
} // namespace zv

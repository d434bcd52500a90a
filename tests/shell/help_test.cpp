#include "helpviewer/helpbrowser.h"
#include "helpviewer/helpwindow.h"
#include "shell/helpfile.h"
#include "ui/helprequest.h"

#include "shell.h"

#include <QApplication>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zv {
namespace {

// The help window that is open, if any.
HelpWindow *OpenHelpWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *help = qobject_cast<HelpWindow *>(window); help && help->isVisible())
            return help;
    }
    return nullptr;
}

TEST(ShellHelp, WithoutTheFileStartUpSaysSoOnceAndHelpDoesNothing)
{
    QTemporaryDir dir;
    test::Shell shell;
    EXPECT_FALSE(SetUpHelp(shell.main, dir.path()));
    EXPECT_EQ(shell.recorder.Boxes(), QStringList({"Error on help file opening.|Error|stop"}));
    shell.Entry("mnuajutor")->trigger();
    shell.Entry("mnuindex")->trigger();
    ShowHelpTopic(&shell.main, QStringLiteral("mg.html"));
    EXPECT_EQ(OpenHelpWindow(), nullptr);
    EXPECT_EQ(shell.recorder.messages.size(), 1);
}

// Which page each request opens is the viewer's test; here the menu and the windows reach it.
TEST(ShellHelp, WithTheFileTheMenuAndEveryWindowOpenTheOneViewer)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZV_HELP_FILE), dir.filePath("Readme.chm")));
    {
        test::Shell shell;
        ASSERT_TRUE(SetUpHelp(shell.main, dir.path()));
        EXPECT_TRUE(shell.recorder.messages.isEmpty());
        EXPECT_EQ(HelpFilePath(), dir.filePath("Readme.chm"));
        shell.Entry("mnuajutor")->trigger();
        HelpWindow *help = OpenHelpWindow();
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->browser()->documentTitle(), QStringLiteral("Welcome to Zerovane"));
        shell.Entry("mnuindex")->trigger();
        EXPECT_EQ(OpenHelpWindow(), help);
        EXPECT_EQ(help->navigation()->currentIndex(), 1);
        ShowHelpTopic(&shell.main, QStringLiteral("mg.html"));
        EXPECT_EQ(OpenHelpWindow(), help);
        EXPECT_EQ(help->browser()->documentTitle(), QStringLiteral("The graph window"));
    }
    EXPECT_EQ(OpenHelpWindow(), nullptr); // the viewer ends with the main window
    SetHelpTopicHandler(nullptr);
}

} // namespace
} // namespace zv

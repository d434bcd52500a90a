#include "helpviewer/helpbrowser.h"
#include "helpviewer/helpwindow.h"
#include "shell/helpfile.h"
#include "shell/mainwindow.h"
#include "texts/messagetexts.h"
#include "ui/helprequest.h"

#include "tests/support/messagerecorder.h"

#include <QAction>
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

class ShellHelpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FillMessageTexts();
        ASSERT_TRUE(m_dir.isValid());
    }
    void TearDown() override { SetHelpTopicHandler(nullptr); }

    QAction *Entry(const char *name) { return m_main.findChild<QAction *>(name); }

    QTemporaryDir m_dir;
    test::Recorder m_recorder;
    MainWindow m_main;
};

TEST_F(ShellHelpTest, WithoutTheFileStartUpSaysSoOnceAndHelpDoesNothing)
{
    EXPECT_FALSE(SetUpHelp(m_main, m_dir.path()));
    EXPECT_EQ(m_recorder.Boxes(),
              QStringList({QStringLiteral("Error on help file opening.|Error|stop")}));
    EXPECT_TRUE(HelpFilePath().isEmpty());

    Entry("mnuajutor")->trigger();
    Entry("mnuindex")->trigger();
    ShowHelpTopic(&m_main, QStringLiteral("mg.html"));
    EXPECT_EQ(OpenHelpWindow(), nullptr);
    EXPECT_EQ(m_recorder.messages.size(), 1);
}

TEST_F(ShellHelpTest, WithTheFileTheMenuAndEveryWindowOpenTheOneViewer)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZV_HELP_FILE), m_dir.filePath("Readme.chm")));
    ASSERT_TRUE(SetUpHelp(m_main, m_dir.path()));
    EXPECT_TRUE(m_recorder.messages.isEmpty());
    EXPECT_EQ(HelpFilePath(), m_dir.filePath("Readme.chm"));

    EXPECT_EQ(Entry("mnuajutor")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F1));
    Entry("mnuajutor")->trigger();
    HelpWindow *help = OpenHelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->objectName(), QStringLiteral("win"));
    EXPECT_EQ(help->navigation()->currentIndex(), 0);
    EXPECT_EQ(help->browser()->documentTitle(), QStringLiteral("Welcome to Zerovane"));

    Entry("mnuindex")->trigger();
    EXPECT_EQ(OpenHelpWindow(), help);
    EXPECT_EQ(help->navigation()->currentIndex(), 1);

    // A window's request opens the contents first, then the topic, in the same viewer.
    ShowHelpTopic(&m_main, QStringLiteral("mg.html"));
    EXPECT_EQ(OpenHelpWindow(), help);
    EXPECT_EQ(help->navigation()->currentIndex(), 0);
    EXPECT_EQ(help->browser()->documentTitle(), QStringLiteral("The graph window"));

    // The viewer ends with the main window; a request after that does nothing.
    m_recorder.answer = MessageAnswer::Yes;
    m_main.close();
    EXPECT_EQ(OpenHelpWindow(), nullptr);
}

} // namespace
} // namespace zv

#include "helpviewer/helpbrowser.h"
#include "helpviewer/helpviewer.h"
#include "helpviewer/helpwindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace zv {
namespace {

const QString kWin = QStringLiteral("win");

QTreeWidgetItem *FindItem(QTreeWidget *tree, const QString &text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

// Clicks through the window system, as a user does, so that a window that a modal one blocks
// does not get the click.
void ClickItem(QTreeWidget *tree, QTreeWidgetItem *item)
{
    tree->scrollToItem(item);
    const QPoint point =
        tree->viewport()->mapTo(tree->window(), tree->visualItemRect(item).center());
    QTest::mouseClick(tree->window()->windowHandle(), Qt::LeftButton, {}, point);
}

// Clicks the first link whose text is text on the page on view.
void ClickLink(HelpBrowser *browser, const QString &text)
{
    QTextCursor cursor = browser->document()->find(text);
    ASSERT_FALSE(cursor.isNull()) << text.toStdString();
    cursor.setPosition(cursor.selectionStart() + 1);
    browser->setTextCursor(cursor);
    browser->ensureCursorVisible();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {},
                      browser->cursorRect(cursor).center());
}

QString Title(const HelpViewer &viewer)
{
    return viewer.window() ? viewer.window()->browser()->documentTitle() : QString();
}

// Whether the viewer shows the page titled title, waiting a moment for the events of a click.
::testing::AssertionResult ShowsPage(const HelpViewer &viewer, const QString &title)
{
    if (QTest::qWaitFor([&] { return Title(viewer) == title; }, 2000))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the page on view is \"" << Title(viewer).toStdString() << "\"";
}

// The viewer on the built help file; its windows go with it.
struct Viewer : HelpViewer
{
    Viewer()
        : HelpViewer(QStringLiteral(ZV_HELP_FILE))
    {
    }
    ~Viewer()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            delete window;
    }
};

TEST(HelpViewer, OpensEveryTopicOfTheProgramAtItsPage)
{
    Viewer m_viewer;
    const std::pair<const char *, const char *> rows[] = {
        {"aprox.html", "The Approximate window"},
        {"newton.html", "Newton's method"},
        {"mg.html", "The graph window"},
        {"eval.htm", "The Evaluate window"},
        {"expresie.html", "Writing an expression"},
        {"index_metode.html", "How Zerovane finds roots"},
    };
    HelpWindow *first = nullptr;
    for (const auto &[topic, title] : rows) {
        SCOPED_TRACE(topic);
        m_viewer.ShowHelpTopic(kWin, QString::fromLatin1(topic));
        HelpWindow *window = m_viewer.window();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->objectName(), kWin);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Zerovane Help"));
        EXPECT_EQ(window->browser()->documentTitle(), QString::fromLatin1(title));
        EXPECT_FALSE(window->browser()->showsMissingPage());
        // The contents come first, and follow the page.
        EXPECT_EQ(window->navigation()->currentIndex(), 0);
        ASSERT_NE(window->contentsTree()->currentItem(), nullptr);
        EXPECT_EQ(window->contentsTree()->currentItem()->text(0), QString::fromLatin1(title));
        EXPECT_EQ(window, first != nullptr ? first : (first = window)); // one for every request
    }
}

TEST(HelpViewer, ContentsAndIndexListTheirEntriesAndOpenThem)
{
    Viewer m_viewer;
    m_viewer.ShowHelpContents(kWin);
    HelpWindow *window = m_viewer.window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(Title(m_viewer), QStringLiteral("Welcome to Zerovane"));
    QTreeWidget *contents = window->contentsTree();
    EXPECT_EQ(contents->topLevelItemCount(), 5);
    QTreeWidgetItem *evaluate = FindItem(contents, QStringLiteral("The Evaluate window"));
    ASSERT_NE(evaluate, nullptr);
    EXPECT_EQ(evaluate->parent()->text(0), QStringLiteral("The windows"));
    contents->expandAll();
    ClickItem(contents, evaluate);
    EXPECT_TRUE(ShowsPage(m_viewer, QStringLiteral("The Evaluate window")));
    // A heading opens nothing.
    ClickItem(contents, FindItem(contents, QStringLiteral("Files")));
    EXPECT_EQ(Title(m_viewer), QStringLiteral("The Evaluate window"));

    m_viewer.ShowHelpIndex(kWin);
    EXPECT_EQ(window->navigation()->currentIndex(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->keywordField()->hasFocus(); }, 2000));
    EXPECT_NE(FindItem(window->indexList(), QStringLiteral("touching roots")), nullptr);
    QTest::keyClicks(window->keywordField(), QStringLiteral("NEWT"));
    ASSERT_NE(window->indexList()->currentItem(), nullptr);
    EXPECT_EQ(window->indexList()->currentItem()->text(0), QStringLiteral("Newton's method"));
    QTest::keyClick(window->keywordField(), Qt::Key_Return);
    EXPECT_TRUE(ShowsPage(m_viewer, QStringLiteral("Newton's method")));
    EXPECT_EQ(contents->currentItem()->text(0), QStringLiteral("Newton's method"));
}

TEST(HelpViewer, LinksPicturesAndBackStayInsideTheFile)
{
    Viewer m_viewer;
    m_viewer.ShowHelpTopic(kWin, QStringLiteral("newton.html"));
    HelpWindow *window = m_viewer.window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    HelpBrowser *browser = window->browser();

    // The picture of the tangents is drawn from the file: its red curve is on the page.
    const QTextCursor picture = browser->document()->find(QStringLiteral("The idea"));
    browser->verticalScrollBar()->setValue(browser->cursorRect(picture).top());
    const QImage shot = browser->viewport()->grab().toImage();
    int red = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
        }
    }
    EXPECT_GT(red, 100);

    ClickLink(browser, QStringLiteral("Approximate window"));
    EXPECT_TRUE(ShowsPage(m_viewer, QStringLiteral("The Approximate window")));
    // A link to an anchor of another page.
    ClickLink(browser, QStringLiteral("What the messages mean"));
    EXPECT_TRUE(ShowsPage(m_viewer, QStringLiteral("Writing an expression")));
    EXPECT_EQ(browser->source().fragment(), QStringLiteral("errors"));
    EXPECT_EQ(window->contentsTree()->currentItem()->text(0), QStringLiteral("Error messages"));
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);

    window->findChild<QAction *>(QStringLiteral("back"))->trigger();
    EXPECT_TRUE(ShowsPage(m_viewer, QStringLiteral("The Approximate window")));
    window->findChild<QAction *>(QStringLiteral("home"))->trigger();
    EXPECT_TRUE(ShowsPage(m_viewer, QStringLiteral("Welcome to Zerovane")));
}

TEST(HelpViewer, ATopicTheFileLacksShowsTheViewersOwnPage)
{
    Viewer m_viewer;
    m_viewer.ShowHelpTopic(kWin, QStringLiteral("nosuch.html"));
    HelpBrowser *browser = m_viewer.window()->browser();
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Page not found"));
    EXPECT_TRUE(browser->showsMissingPage());
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("nosuch.html")));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("no page of that name")));
    EXPECT_EQ(m_viewer.window()->contentsTree()->currentItem(), nullptr);

    m_viewer.ShowHelpTopic(kWin, QStringLiteral("mg.html"));
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("The graph window"));
    EXPECT_FALSE(browser->showsMissingPage());
}

TEST(HelpViewer, AMissingOrDamagedFileShowsAPageInsteadOfFailing)
{
    Viewer m_viewer;
    QFile good(QStringLiteral(ZV_HELP_FILE));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    QByteArray bytes = good.readAll();
    const qsizetype control = bytes.indexOf("LZXC");
    ASSERT_GE(control, 0);
    bytes.replace(control + 12, 4, QByteArray(4, '\0')); // makes chmlib divide by zero
    QTemporaryDir dir;
    const QString damagedPath = dir.filePath(QStringLiteral("Readme.chm"));
    QFile damaged(damagedPath);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(bytes);
    damaged.close();

    for (const QString &path : {damagedPath, dir.filePath(QStringLiteral("absent.chm"))}) {
        SCOPED_TRACE(path.toStdString());
        HelpViewer viewer(path);
        viewer.ShowHelpContents(kWin);
        viewer.ShowHelpIndex(kWin);
        viewer.ShowHelpTopic(kWin, QStringLiteral("mg.html"));
        ASSERT_NE(viewer.window(), nullptr);
        EXPECT_TRUE(viewer.window()->isVisible());
        EXPECT_EQ(Title(viewer), QStringLiteral("Page not found"));
        EXPECT_TRUE(viewer.window()->browser()->toPlainText().contains(
            QStringLiteral("could not be read whole")));
        EXPECT_EQ(viewer.window()->contentsTree()->topLevelItemCount(), 0);
    }
}

TEST(HelpViewer, StaysUsableBesideAModalWindowAndReopensAfterClosing)
{
    Viewer m_viewer;
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);

    m_viewer.ShowHelpTopic(kWin, QStringLiteral("eval.htm"), &dialog);
    HelpWindow *window = m_viewer.window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QTreeWidget *contents = window->contentsTree();
    contents->expandAll();
    ClickItem(contents, FindItem(contents, QStringLiteral("The graph window")));
    EXPECT_TRUE(ShowsPage(m_viewer, QStringLiteral("The graph window")));
    EXPECT_EQ(window->windowHandle()->transientParent(), dialog.windowHandle());
    // Once the modal window is gone the help stands on its own again.
    dialog.close();
    EXPECT_EQ(window->windowHandle()->transientParent(), nullptr);

    window->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_viewer.window() == nullptr; }, 2000));
    m_viewer.ShowHelpIndex(kWin);
    ASSERT_NE(m_viewer.window(), nullptr);
    EXPECT_EQ(Title(m_viewer), QStringLiteral("Welcome to Zerovane"));
}

} // namespace
} // namespace zv

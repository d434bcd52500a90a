#include "helpviewer/helpbrowser.h"
#include "helpviewer/helpviewer.h"
#include "helpviewer/helpwindow.h"

#include "tests/support/scratch.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace zv {
namespace {

const QString kWin = QStringLiteral("win"), kHelpFile = QStringLiteral(ZV_HELP_FILE);

QTreeWidgetItem *FindItem(QTreeWidget *tree, const QString &text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

// Clicks the entry through the window system, as a user does, so that a window that a modal one
// blocks does not get the click.
void ClickItem(QTreeWidget *tree, const QString &text)
{
    tree->expandAll();
    QTreeWidgetItem *item = FindItem(tree, text);
    ASSERT_NE(item, nullptr) << text.toStdString();
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

// Whether the viewer shows the page titled title, waiting a moment for the events of a click.
::testing::AssertionResult ShowsPage(const HelpViewer &viewer, const QString &title)
{
    const auto shown = [&viewer] {
        return viewer.window() ? viewer.window()->browser()->documentTitle() : QString();
    };
    if (QTest::qWaitFor([&] { return shown() == title; }, 2000))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the page on view is " << shown().toStdString();
}

// The window's name and caption, the page's title, whether it is the viewer's own page for a
// missing one, the navigation tab and the current contents entry.
QString Shown(const HelpWindow &window)
{
    const QTreeWidgetItem *entry = window.contentsTree()->currentItem();
    return QStringList({window.objectName(), window.windowTitle(),
                        window.browser()->documentTitle(),
                        window.browser()->showsMissingPage() ? "missing" : "found",
                        QString::number(window.navigation()->currentIndex()),
                        entry ? entry->text(0) : "no entry"})
        .join('|');
}

// A topic the file lacks shows the viewer's own page, and the next topic is found again, in the
// same window with the contents first, following the page.
TEST(HelpViewer, OpensEveryTopicOfTheProgramAtItsPage)
{
    HelpViewer viewer(kHelpFile);
    viewer.ShowHelpTopic(kWin, QStringLiteral("nosuch.html"));
    HelpWindow *window = viewer.window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Shown(*window), "win|Zerovane Help|Page not found|missing|0|no entry");
    const QString text = window->browser()->toPlainText();
    EXPECT_TRUE(text.contains("nosuch.html") && text.contains("no page of that name"));
    // That every topic a window opens is in the file is the help book's test.
    for (const auto &[topic, title] :
         {std::pair{"aprox.html", "The Approximate window"}, {"eval.htm", "The Evaluate window"}}) {
        viewer.ShowHelpTopic(kWin, QString::fromLatin1(topic));
        EXPECT_EQ(viewer.window(), window);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(Shown(*window), QStringLiteral("win|Zerovane Help|%1|found|0|%1").arg(title));
    }
}

// Beside a modal window the help stays usable: it stands over the modal one, so that clicks
// reach it through the window system, and on its own again once that one closes.
TEST(HelpViewer, ContentsAndIndexOpenTheirEntriesEvenBesideAModalWindow)
{
    HelpViewer viewer(kHelpFile);
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    viewer.ShowHelpContents(kWin, &dialog);
    HelpWindow *window = viewer.window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowHandle()->transientParent(), dialog.windowHandle());
    EXPECT_TRUE(ShowsPage(viewer, QStringLiteral("Welcome to Zerovane")));
    QTreeWidget *contents = window->contentsTree();
    EXPECT_EQ(contents->topLevelItemCount(), 5);
    ClickItem(contents, QStringLiteral("The Evaluate window"));
    ASSERT_TRUE(ShowsPage(viewer, QStringLiteral("The Evaluate window")));
    EXPECT_EQ(contents->currentItem()->parent()->text(0), QStringLiteral("The windows"));
    ClickItem(contents, QStringLiteral("Files")); // a heading opens nothing
    EXPECT_TRUE(ShowsPage(viewer, QStringLiteral("The Evaluate window")));
    dialog.close();
    EXPECT_EQ(window->windowHandle()->transientParent(), nullptr);

    viewer.ShowHelpIndex(kWin);
    EXPECT_EQ(window->navigation()->currentIndex(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->keywordField()->hasFocus(); }, 2000));
    EXPECT_NE(FindItem(window->indexList(), QStringLiteral("touching roots")), nullptr);
    QTest::keyClicks(window->keywordField(), QStringLiteral("NEWT"));
    ASSERT_NE(window->indexList()->currentItem(), nullptr);
    EXPECT_EQ(window->indexList()->currentItem()->text(0), QStringLiteral("Newton's method"));
    QTest::keyClick(window->keywordField(), Qt::Key_Return);
    EXPECT_TRUE(ShowsPage(viewer, QStringLiteral("Newton's method")));
    EXPECT_EQ(contents->currentItem()->text(0), QStringLiteral("Newton's method"));

    // Closed, it opens again on its first page.
    window->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return viewer.window() == nullptr; }, 2000));
    viewer.ShowHelpIndex(kWin);
    EXPECT_TRUE(ShowsPage(viewer, QStringLiteral("Welcome to Zerovane")));
}

TEST(HelpViewer, LinksPicturesAndBackStayInsideTheFile)
{
    HelpViewer viewer(kHelpFile);
    viewer.ShowHelpTopic(kWin, QStringLiteral("newton.html"));
    HelpWindow *window = viewer.window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    HelpBrowser *browser = window->browser();

    // The picture of the tangents is drawn from the file: its red curve is on the page.
    const QTextCursor picture = browser->document()->find(QStringLiteral("The idea"));
    browser->verticalScrollBar()->setValue(browser->cursorRect(picture).top());
    const QImage shot = browser->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto *pixels = reinterpret_cast<const QRgb *>(shot.constBits());
    EXPECT_GT(
        std::count_if(pixels, pixels + shot.width() * shot.height(),
                      [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60; }),
        100);

    ClickLink(browser, QStringLiteral("Approximate window"));
    EXPECT_TRUE(ShowsPage(viewer, QStringLiteral("The Approximate window")));
    // A link to an anchor of another page.
    ClickLink(browser, QStringLiteral("What the messages mean"));
    EXPECT_TRUE(ShowsPage(viewer, QStringLiteral("Writing an expression")));
    EXPECT_EQ(browser->source().fragment(), QStringLiteral("errors"));
    EXPECT_EQ(window->contentsTree()->currentItem()->text(0), QStringLiteral("Error messages"));
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);

    window->findChild<QAction *>(QStringLiteral("back"))->trigger();
    EXPECT_TRUE(ShowsPage(viewer, QStringLiteral("The Approximate window")));
    window->findChild<QAction *>(QStringLiteral("home"))->trigger();
    EXPECT_TRUE(ShowsPage(viewer, QStringLiteral("Welcome to Zerovane")));
}

// Missing and damaged files take different ways through the reader to the same page.
TEST(HelpViewer, AMissingOrDamagedFileShowsAPageInsteadOfFailing)
{
    std::string bytes = test::ReadFile(ZV_HELP_FILE);
    bytes.replace(bytes.find("LZXC") + 12, 4, std::string(4, '\0')); // chmlib divides by zero
    const test::Folder folder;
    test::WriteFile(folder.path / "Readme.chm", bytes);
    for (const auto &path : {folder.path / "Readme.chm", folder.path / "absent.chm"}) {
        SCOPED_TRACE(path);
        HelpViewer viewer(QString::fromStdString(path.string()));
        viewer.ShowHelpContents(kWin);
        viewer.ShowHelpIndex(kWin);
        viewer.ShowHelpTopic(kWin, QStringLiteral("mg.html"));
        ASSERT_NE(viewer.window(), nullptr);
        EXPECT_TRUE(viewer.window()->isVisible());
        EXPECT_TRUE(ShowsPage(viewer, QStringLiteral("Page not found")));
        EXPECT_TRUE(viewer.window()->browser()->toPlainText().contains("could not be read whole"));
        EXPECT_EQ(viewer.window()->contentsTree()->topLevelItemCount(), 0);
    }
}

} // namespace
} // namespace zv

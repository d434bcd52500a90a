#include "helpviewer/chmreader.h"
#include "helpviewer/helpbrowser.h"
#include "helpviewer/helpviewer.h"
#include "helpviewer/helpwindow.h"

#include "tests/support/scratch.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace zv {
namespace {

const QString kWin = QStringLiteral("win"), kHelpFile = QStringLiteral(ZV_HELP_FILE);

// Clicks the entry through the window system, as a user does, so that a window that a modal one
// blocks does not get the click.
void ClickItem(QTreeWidget *tree, const QString &text)
{
    tree->expandAll();
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty()) << text.toStdString();
    tree->scrollToItem(found.front());
    const QPoint point =
        tree->viewport()->mapTo(tree->window(), tree->visualItemRect(found.front()).center());
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

QString EntryPath(const QTreeWidgetItem *item)
{
    if (item == nullptr)
        return QStringLiteral("no entry");
    return item->parent() ? EntryPath(item->parent()) + '>' + item->text(0) : item->text(0);
}

// Whether the viewer's window is on view with "page|tab|entry": the page's title ("missing "
// before the viewer's own page), the navigation tab and the current contents entry with its
// books. Waits a moment for the events of a click.
::testing::AssertionResult Shows(const HelpViewer &viewer, const QString &expected)
{
    const auto shown = [&viewer] {
        const HelpWindow *window = viewer.window();
        if (window == nullptr || !window->isVisible())
            return QStringLiteral("no window");
        return QStringList({(window->browser()->showsMissingPage() ? "missing " : "") +
                                window->browser()->documentTitle(),
                            QString::number(window->navigation()->currentIndex()),
                            EntryPath(window->contentsTree()->currentItem())})
            .join('|');
    };
    if (QTest::qWaitFor([&] { return shown() == expected; }, 2000))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the viewer shows " << shown().toStdString();
}

// Whether the viewer's window has read its file, within the reader's own time limit (a child
// that crashes under the sanitizers takes seconds to end).
bool HasRead(const HelpViewer &viewer)
{
    const auto limit = std::chrono::milliseconds(kChmReadTimeLimit) + std::chrono::seconds(5);
    return QTest::qWaitFor([&viewer] { return viewer.window() && !viewer.window()->isReading(); },
                           int(limit.count()));
}

// Beside a modal window the help stays usable: it stands over the modal one, so that clicks
// reach it through the window system, and on its own again once that one closes. Links,
// pictures and Back stay inside the file.
TEST(HelpViewer, ContentsIndexLinksAndBackWorkEvenBesideAModalWindow)
{
    HelpViewer viewer(kHelpFile);
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    viewer.ShowHelpContents(kWin, &dialog);
    HelpWindow *window = viewer.window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    ASSERT_TRUE(HasRead(viewer));
    EXPECT_EQ(window->objectName() + '|' + window->windowTitle(), "win|Zerovane Help");
    EXPECT_EQ(window->windowHandle()->transientParent(), dialog.windowHandle());
    EXPECT_TRUE(Shows(viewer, "Welcome to Zerovane|0|Welcome to Zerovane"));
    ClickItem(window->contentsTree(), QStringLiteral("The Evaluate window"));
    EXPECT_TRUE(Shows(viewer, "The Evaluate window|0|The windows>The Evaluate window"));
    ClickItem(window->contentsTree(), QStringLiteral("Files")); // a heading opens nothing
    EXPECT_TRUE(Shows(viewer, "The Evaluate window|0|Files"));
    dialog.close();
    EXPECT_EQ(window->windowHandle()->transientParent(), nullptr);

    viewer.ShowHelpIndex(kWin);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->keywordField()->hasFocus(); }, 2000));
    QTest::keyClicks(window->keywordField(), QStringLiteral("NEWT"));
    QTest::keyClick(window->keywordField(), Qt::Key_Return);
    EXPECT_TRUE(Shows(viewer, "Newton's method|1|The mathematics>Newton's method"));

    // On that page, the picture of the tangents is drawn from the file: its red curve shows.
    HelpBrowser *browser = window->browser();
    const QTextCursor picture = browser->document()->find(QStringLiteral("The idea"));
    browser->verticalScrollBar()->setValue(browser->cursorRect(picture).top());
    const QImage shot = browser->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto *pixels = reinterpret_cast<const QRgb *>(shot.constBits());
    EXPECT_GT(
        std::count_if(pixels, pixels + shot.width() * shot.height(),
                      [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60; }),
        100);

    ClickLink(browser, QStringLiteral("Approximate window"));
    EXPECT_TRUE(Shows(viewer, "The Approximate window|1|The windows>The Approximate window"));
    // A link to an anchor of another page scrolls to it.
    ClickLink(browser, QStringLiteral("What the messages mean"));
    EXPECT_TRUE(Shows(viewer, "Writing an expression|1|Getting started>Error messages"));
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);

    window->findChild<QAction *>(QStringLiteral("back"))->trigger();
    EXPECT_TRUE(Shows(viewer, "The Approximate window|1|The windows>The Approximate window"));
    window->findChild<QAction *>(QStringLiteral("home"))->trigger();
    EXPECT_TRUE(Shows(viewer, "Welcome to Zerovane|1|Welcome to Zerovane"));

    // Closed, it opens again on its first page.
    window->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return viewer.window() == nullptr; }, 2000));
    viewer.ShowHelpIndex(kWin);
    EXPECT_TRUE(Shows(viewer, "Welcome to Zerovane|1|Welcome to Zerovane"));
}

// A topic the file lacks, and every topic of a missing or damaged file (each takes its own way
// through the reader), shows the viewer's own page saying why; the next topic opens in the same
// window, and is found again where the file has it.
TEST(HelpViewer, AMissingTopicOrFileShowsAPageOfTheViewersOwn)
{
    std::string bytes = test::ReadFile(ZV_HELP_FILE);
    bytes.replace(bytes.find("LZXC") + 12, 4, std::string(4, '\0')); // chmlib divides by zero
    const test::Folder folder;
    test::WriteFile(folder.path / "Readme.chm", bytes);
    const QString missing = QStringLiteral("missing Page not found|0|no entry");
    const std::tuple<std::string, const char *, const char *, QString> rows[] = {
        {ZV_HELP_FILE, "nosuch.html", "no page of that name",
         "The Approximate window|0|The windows>The Approximate window"},
        {(folder.path / "Readme.chm").string(), "mg.html", "could not be read whole", missing},
        {(folder.path / "absent.chm").string(), "mg.html", "could not be read whole", missing}};
    for (const auto &[path, topic, says, next] : rows) {
        SCOPED_TRACE(path);
        HelpViewer viewer(QString::fromStdString(path));
        viewer.ShowHelpContents(kWin);
        viewer.ShowHelpIndex(kWin);
        viewer.ShowHelpTopic(kWin, QString::fromLatin1(topic));
        ASSERT_TRUE(HasRead(viewer));
        ASSERT_TRUE(Shows(viewer, missing));
        HelpWindow *window = viewer.window();
        const QString text = window->browser()->toPlainText();
        EXPECT_TRUE(text.contains(topic) && text.contains(says)) << text.toStdString();
        viewer.ShowHelpTopic(kWin, QStringLiteral("aprox.html"));
        EXPECT_EQ(viewer.window(), window);
        EXPECT_TRUE(Shows(viewer, next));
    }
}

// Counts the paint events of the object it watches.
struct PaintCounter : QObject
{
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

// A file that keeps the reader going round for its whole time (a branch of the index that
// leads back to itself, which only chmlib follows): the window opens at once and paints and
// takes keys while the child reads; Escape gives the reading up and ends the child.
TEST(HelpViewer, StaysUsableWhileTheFileIsReadAndEscapeGivesTheReadingUp)
{
    std::string bytes = test::ReadFile(ZV_HELP_FILE);
    const auto u32 = [&bytes](size_t at) {
        return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
               uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
    };
    const size_t directory = u32(0x48);
    ASSERT_EQ(u32(directory + 0x10), 4096u); // the chunk length
    // The root of the index is chunk 1, a branch whose one entry ("/", before every name) leads
    // to chunk 1; its free space is what the 11 bytes of header and entry leave.
    bytes.replace(directory + 0x1c, 4, std::string("\1\0\0\0", 4));
    const std::string branch("PMGI\xf5\x0f\0\0\1/\1", 11);
    bytes.replace(directory + u32(directory + 0x08) + 4096, branch.size(), branch);
    const test::Folder folder;
    test::WriteFile(folder.path / "Readme.chm", bytes);

    HelpViewer viewer(QString::fromStdString((folder.path / "Readme.chm").string()));
    viewer.ShowHelpTopic(kWin, QStringLiteral("mg.html"));
    HelpWindow *window = viewer.window();
    ASSERT_TRUE(window->isReading());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_TRUE(window->browser()->toPlainText().startsWith(QStringLiteral("Reading")));
    PaintCounter counter;
    window->browser()->viewport()->installEventFilter(&counter);
    window->browser()->viewport()->update();
    EXPECT_TRUE(QTest::qWaitFor([&counter] { return counter.paints > 0; }));
    QCoreApplication::postEvent(window->keywordField(), new QKeyEvent(QEvent::KeyPress, Qt::Key_N,
                                                                      {}, QStringLiteral("n")));
    EXPECT_TRUE(QTest::qWaitFor([window] { return window->keywordField()->text() == "n"; }));
    EXPECT_TRUE(window->isReading());

    QTest::keyClick(window->keywordField(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&viewer] { return viewer.window() == nullptr; }));
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1); // no child left, running or ended
    EXPECT_EQ(errno, ECHILD);
}

} // namespace
} // namespace zv

// A root scan that runs for seconds (the longest function an entry field holds, on a wide
// interval) keeps the program alive: windows repaint, input is dropped, Escape stops it, and
// a window asked to close closes once it is over.
#include "graph/graphwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>

namespace zv {
namespace {

const QString kStoppedNotice = QStringLiteral("Stopped: partial list.");
const QString kScanningNotice = QStringLiteral("Looking for roots...\nEsc stops the search.");
// sin(x) has 637 roots on [-1000; 1000]; the whole scan of it takes seconds.
constexpr int kAllRoots = 637;

// "sin(x)+sin(x)+...": 4,681 terms, 32,766 characters, as much as an entry field holds.
QString LongestFunction()
{
    QString text = QStringLiteral("sin(x)");
    while (text.size() + 7 <= 32767)
        text += QStringLiteral("+sin(x)");
    return text;
}

void PostEscape(QObject *receiver)
{
    QCoreApplication::postEvent(receiver,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
}

void PostClick(QWidget *widget)
{
    const QPointF centre = QRectF(widget->rect()).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QCoreApplication::postEvent(
            widget, new QMouseEvent(type, centre, widget->mapToGlobal(centre), Qt::LeftButton,
                                    Qt::LeftButton, Qt::NoModifier));
    }
}

// Opens the window on the longest function; its load scans [-1000; 1000]. Events posted
// before are seen only by the scan, which turns the event loop once it has run a while.
std::unique_ptr<GraphWindow> OpenLongest()
{
    return std::make_unique<GraphWindow>(GraphEquation{LongestFunction(), -1000, 1000});
}

QString Notice(const GraphWindow &window)
{
    return window.findChild<QLabel *>(QStringLiteral("Lbl_root"))->text();
}

int ListedRoots(const GraphWindow &window)
{
    return window.findChild<QListWidget *>(QStringLiteral("LstRoot"))->count();
}

// Notes, when an event posted to it is delivered (from inside the scan), the pointer's shape
// and what the open graph window's Lbl_root says.
class Witness : public QObject
{
public:
    Qt::CursorShape cursor = Qt::ArrowCursor;
    QString notice;
    bool delivered = false;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        delivered = true;
        if (const QCursor *override = QApplication::overrideCursor())
            cursor = override->shape();
        for (QWidget *widget : QApplication::allWidgets()) {
            if (widget->objectName() == QLatin1String("Lbl_root"))
                notice = static_cast<QLabel *>(widget)->text();
        }
        return true;
    }
};

TEST(LongScan, EscapeStopsItAndTheRootsFoundSoFarStay)
{
    QWidget other;
    other.show();
    Witness witness;
    QCoreApplication::postEvent(&witness, new QEvent(QEvent::User));
    PostEscape(&other);
    const auto window = OpenLongest();
    // While it ran: the wait cursor, and what Escape does.
    ASSERT_TRUE(witness.delivered);
    EXPECT_EQ(witness.cursor, Qt::WaitCursor);
    EXPECT_EQ(witness.notice, kScanningNotice);
    EXPECT_TRUE(Notice(*window).endsWith(kStoppedNotice)) << Notice(*window).toStdString();
    EXPECT_LT(ListedRoots(*window), kAllRoots);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(LongScan, InputDuringTheScanIsDroppedNotRunLater)
{
    QWidget other;
    PostEscape(&other);
    const auto window = OpenLongest();
    window->show();
    auto *animate = window->findChild<QPushButton *>(QStringLiteral("Cmd_Grafic"));
    auto *roots = window->findChild<QPushButton *>(QStringLiteral("Cmd_Radacini"));

    // A click on "Animated graphic" that arrives while Roots scans, then Escape.
    PostClick(animate);
    PostEscape(window.get());
    QTest::mouseClick(roots, Qt::LeftButton);
    EXPECT_TRUE(Notice(*window).endsWith(kStoppedNotice));
    EXPECT_FALSE(window->AnimationPlaying());
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->AnimationPlaying());
}

TEST(LongScan, AWindowAskedToCloseClosesWhenTheScanIsOver)
{
    QWidget mainWindow;
    mainWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
    // As the window manager's close box does it: to the platform window.
    QCoreApplication::postEvent(mainWindow.windowHandle(), new QCloseEvent);
    const auto window = OpenLongest();
    // The close stopped the scan, and waited for it.
    EXPECT_TRUE(Notice(*window).endsWith(kStoppedNotice));
    EXPECT_TRUE(mainWindow.isVisible());
    QTRY_VERIFY(!mainWindow.isVisible());
}

} // namespace
} // namespace zv

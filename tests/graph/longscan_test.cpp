// A root scan that runs for seconds (the longest function an entry field holds, on a wide
// interval) keeps the program alive: windows repaint, input is dropped, Escape stops it, and
// a window asked to close closes once it is over. Events posted before the window opens are
// seen only by its scan, which turns the event loop once it has run a while.
#include "harness.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

namespace zv::test {
namespace {

void PostEscape(QObject *receiver)
{
    QCoreApplication::postEvent(receiver,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
}

bool Stopped(const GraphWindow &window)
{
    return Control<QLabel>(window, "Lbl_root")->text().endsWith("Stopped: partial list.");
}

TEST(LongScan, EscapeStopsItInputIsDroppedAndACloseWaitsForTheEnd)
{
    QWidget other;
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    // What the pointer and the notice of the open graph window show while the scan runs.
    Qt::CursorShape cursor = Qt::ArrowCursor;
    QString notice;
    QMetaObject::invokeMethod(
        &other,
        [&] {
            if (const QCursor *override = QApplication::overrideCursor())
                cursor = override->shape();
            for (QWidget *widget : QApplication::allWidgets()) {
                if (widget->objectName() == QLatin1String("Lbl_root"))
                    notice = static_cast<QLabel *>(widget)->text();
            }
        },
        Qt::QueuedConnection);
    // "sin(x)+sin(x)+...": 4,681 terms, 32,766 characters, as much as an entry field holds; its
    // 637 roots on [-1000; 1000] take seconds to find.
    QString text = QStringLiteral("sin(x)");
    while (text.size() + 7 <= 32767)
        text += QStringLiteral("+sin(x)");
    PostEscape(&other);
    const auto window = std::make_unique<GraphWindow>(GraphEquation{text, -1000, 1000});
    EXPECT_EQ(cursor, Qt::WaitCursor);
    EXPECT_EQ(notice, QStringLiteral("Looking for roots...\nEsc stops the search."));
    EXPECT_TRUE(Stopped(*window));
    EXPECT_LT(Control<QListWidget>(*window, "LstRoot")->count(), 637);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A click on "Animated graphic" that arrives while Roots scans again, then Escape.
    window->show();
    QWidget *animate = Control(*window, "Cmd_Grafic");
    const QPointF at = QRectF(animate->rect()).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QCoreApplication::postEvent(animate, new QMouseEvent(type, at, animate->mapToGlobal(at),
                                                             Qt::LeftButton, Qt::LeftButton,
                                                             Qt::NoModifier));
    }
    PostEscape(window.get());
    QTest::mouseClick(Control(*window, "Cmd_Radacini"), Qt::LeftButton);
    EXPECT_TRUE(Stopped(*window));
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->AnimationPlaying());

    // The other window asked to close as the window manager's close box does it (to the
    // platform window): the close stops the scan and waits for its end.
    QCoreApplication::postEvent(other.windowHandle(), new QCloseEvent);
    QTest::mouseClick(Control(*window, "Cmd_Radacini"), Qt::LeftButton);
    EXPECT_TRUE(Stopped(*window));
    EXPECT_TRUE(other.isVisible());
    QTRY_VERIFY(!other.isVisible());
}

} // namespace
} // namespace zv::test

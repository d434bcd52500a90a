#include "graph/graphwindow.h"
#include "graph/plotarea.h"
#include "graph/viewcommands.h"
#include "pixelprobe.h"
#include "texts/messagetexts.h"
#include "ui/cursoricons.h"
#include "ui/helprequest.h"

#include "tests/support/messagerecorder.h"
#include "tests/support/promptrecorder.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>

namespace zv {
namespace {

using test::IsRed;

QString Message(int index)
{
    return QString::fromStdString(MessageText(index));
}

template<typename T = QWidget>
T *Control(const GraphWindow &window, const char *name)
{
    return window.findChild<T *>(QString::fromLatin1(name));
}

QAction *Button(const GraphWindow &window, const char *key)
{
    return Control<QToolBar>(window, "Toolbar1")->findChild<QAction *>(QString::fromLatin1(key));
}

std::unique_ptr<GraphWindow> Show(const QString &function, double a, double b)
{
    auto window = std::make_unique<GraphWindow>(GraphEquation{function, a, b});
    window->show();
    QApplication::setActiveWindow(window.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return window;
}

void ExpectView(const GraphWindow &window, const ViewExtent &want)
{
    EXPECT_DOUBLE_EQ(window.Get_a(), want.a);
    EXPECT_DOUBLE_EQ(window.Get_b(), want.b);
    EXPECT_DOUBLE_EQ(window.YMin(), want.yMin);
    EXPECT_DOUBLE_EQ(window.YMax(), want.yMax);
}

// A mouse event at the world point (x, y) of the plot, at its exact fractional position.
void SendToPlot(GraphWindow &window, QEvent::Type type, double x, double y)
{
    auto *picture = Control<PlotArea>(window, "Picture1");
    double px = 0, py = 0;
    ASSERT_TRUE(picture->Mapping().ToPixel(x, y, px, py));
    const QPointF at(px + PlotArea::kBorder, py + PlotArea::kBorder);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, picture->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(picture, &event);
}

bool AnyRedOnThePlot(const GraphWindow &window)
{
    return test::AnyNear(Control<PlotArea>(window, "Picture1")->Layer(), {160, 160}, 160, IsRed);
}

TEST(GraphNavigation, ToolbarDescriptionsOnPanelOne)
{
    const auto window = Show(QStringLiteral("x"), -1, 1);
    const std::pair<const char *, QString> rows[] = {
        {"bZoomOut", "Double the length of the interval."},
        {"bZoomIn", "Halve the length of the interval."},
        {"bAutomatic", Message(37)},
        {"bHome", "Set the default values."},
        {"bRedim", "Set the accuracy of the graphic. (100)"},
        {"bEval", "Evaluate a function."},
        {"bSave", "Save the graph and the results."},
        {"bHelp", "Further information."},
    };
    for (const auto &[key, panel] : rows) {
        QWidget *face =
            Control<QToolBar>(*window, "Toolbar1")->widgetForAction(Button(*window, key));
        QTest::mouseMove(face, face->rect().center());
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->PanelText(1) == panel; })) << key;
    }
}

TEST(GraphNavigation, AutomaticFitsThenRevertsAndItsTipNamesTheNextPress)
{
    const auto window = Show(QStringLiteral("x^2-4"), -3, 3);
    QAction *automatic = Button(*window, "bAutomatic");
    const ViewExtent fitted{-3, 3, -4, 5}, standard{-3, 3, -3, 3};
    for (int press = 1; press <= 3; ++press) {
        SCOPED_TRACE(press);
        automatic->trigger();
        ExpectView(*window, press % 2 ? fitted : standard);
        EXPECT_EQ(automatic->toolTip(), Message(press % 2 ? 36 : 37));
        automatic->hover();
        EXPECT_EQ(window->PanelText(1), automatic->toolTip());
    }
    // Home keeps what the next press does: here revert, which changes nothing.
    Button(*window, "bHome")->trigger();
    automatic->trigger();
    ExpectView(*window, standard);

    const auto nowhere = Show(QStringLiteral("ln(x)"), -3, -1);
    Button(*nowhere, "bAutomatic")->trigger();
    EXPECT_GT(nowhere->YMin(), nowhere->YMax()); // empty, and the drawing survives it
    EXPECT_TRUE(Control<QLabel>(*nowhere, "Lbl_root")->text().endsWith(Message(28)));
    EXPECT_FALSE(AnyRedOnThePlot(*nowhere));
}

TEST(GraphNavigation, ZoomAndHomeWithTheirPanels)
{
    const auto window = Show(QStringLiteral("x"), 1, 3);
    Button(*window, "bZoomOut")->trigger();
    ExpectView(*window, {2, 6, -2, 2});
    EXPECT_EQ(window->PanelText(2), QStringLiteral("a = 2"));
    EXPECT_EQ(Control<QLabel>(*window, "lbl3")->text(), QStringLiteral("b = 6"));
    Button(*window, "bZoomIn")->trigger();
    Button(*window, "bZoomIn")->trigger();
    ExpectView(*window, {0.5, 1.5, -0.5, 0.5});
    Button(*window, "bHome")->trigger();
    ExpectView(*window, {1, 3, -1, 1});
    EXPECT_EQ(window->PanelText(2), QStringLiteral("a = 1"));
}

TEST(GraphNavigation, PrecisionMenuRedrawsOnlyOnAChange)
{
    const auto window = Show(QStringLiteral("x^2-4"), -3, 3);
    auto *list = Control<QListWidget>(*window, "LstRoot");
    const auto *picture = Control<PlotArea>(*window, "Picture1");
    // The marker of the root 2 stays until the next drawing; the curve passes above it.
    const auto markerStands = [picture] {
        const QPoint centre = test::PixelOf(picture->Mapping(), 2, 0);
        return IsRed(picture->Layer().pixel(centre + QPoint(3, 0)));
    };
    QMenu *menu = Button(*window, "bRedim")->menu();
    const std::pair<const char *, int> rows[] = {
        {"mNormal", 100}, {"mRapid", 50}, {"mPrecis", 200}, {"mPrecis", 200}};
    int before = 100;
    for (const auto &[key, precision] : rows) {
        SCOPED_TRACE(key);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
        ASSERT_TRUE(markerStands());
        QAction *entry = menu->findChild<QAction *>(QString::fromLatin1(key));
        entry->trigger();
        EXPECT_EQ(window->Precision(), precision);
        EXPECT_EQ(markerStands(), precision == before);
        for (QAction *other : menu->actions()) {
            EXPECT_EQ(other->isChecked(), other == entry);
        }
        before = precision;
    }
}

TEST(GraphNavigation, NewIntervalFromF9)
{
    const auto window = Show(QStringLiteral("x"), -3, 3);
    auto *list = Control(*window, "LstRoot");
    list->setFocus(); // F9 reaches the window from any of its controls
    const ViewExtent accepted{1.5, 3, -0.75, 0.75};
    const struct
    {
        QList<std::optional<QString>> answers;
        int prompts;
        bool invalid;
    } rows[] = {
        {{"1,5", "3"}, 2, false},
        {{"0", "500.5"}, 2, true},
        {{"1e999"}, 1, true},
        // A cancelled prompt changes nothing; cancelling a ends the command.
        {{std::nullopt, "5"}, 1, false},
        {{"-1", std::nullopt}, 2, false},
    };
    for (const auto &row : rows) {
        test::Recorder boxes;
        test::PromptRecorder prompts;
        prompts.answers = row.answers;
        QTest::keyClick(list, Qt::Key_F9);
        ASSERT_EQ(prompts.asked.size(), row.prompts);
        EXPECT_EQ(prompts.asked[0].title, Message(30));
        ExpectView(*window, accepted);
        EXPECT_EQ(window->PanelText(2), QStringLiteral("a = -3"));
        EXPECT_EQ(boxes.Boxes(),
                  row.invalid ? QStringList{Message(32) + "|" + Message(9) + "|i"} : QStringList{});
    }
    test::PromptRecorder prompts; // the prompts offer the ends on view
    QTest::keyClick(list, Qt::Key_F9);
    ASSERT_EQ(prompts.asked.size(), 1);
    EXPECT_EQ(prompts.asked[0].prompt + prompts.asked[0].defaultText, QStringLiteral("a = 1.5"));
}

TEST(GraphNavigation, NewPrecisionFromF8)
{
    const auto window = Show(QStringLiteral("x"), -3, 3);
    QWidget *zoomIn =
        Control<QToolBar>(*window, "Toolbar1")->widgetForAction(Button(*window, "bZoomIn"));
    zoomIn->setFocus();
    const struct
    {
        std::optional<QString> answer;
        int precision;
        bool invalid;
    } rows[] = {{"19.5", 20, false}, {"19.4", 20, true}, {"", 20, true}, {std::nullopt, 20, false}};
    for (const auto &row : rows) {
        test::Recorder boxes;
        test::PromptRecorder prompts;
        prompts.answers = {row.answer};
        const QString current = QString::number(window->Precision());
        QTest::keyClick(zoomIn, Qt::Key_F8);
        ASSERT_EQ(prompts.asked.size(), 1);
        EXPECT_EQ(prompts.asked[0].prompt + prompts.asked[0].title + prompts.asked[0].defaultText,
                  "hiq=" + Message(31) + current);
        EXPECT_EQ(window->Precision(), row.precision);
        EXPECT_EQ(boxes.Boxes().size(), row.invalid ? 1 : 0);
    }
}

TEST(GraphNavigation, PointerOverThePlotBandsAndCursors)
{
    LoadCursorIcons();
    const auto window = Show(QStringLiteral("x"), -4, 4);
    const auto *picture = Control<PlotArea>(*window, "Picture1");
    const struct
    {
        double x, y;
        int cursor;
        const char *xText;
    } rows[] = {
        {1.25, -0.5, 0, "x = 1.25"},  {4.1, 0, 103, "x = 4.1"},    {-4, 0, 102, "x = -4"},
        {0, 4.2, 104, "x = 0"},       {0, -4, 101, "x = 0"},       {4, 4, 105, "x = 4"},
        {-4.2, 4.2, 106, "x = -4.2"}, {4.2, -4.2, 107, "x = 4.2"}, {-4, -4, 108, "x = -4"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.xText);
        SendToPlot(*window, QEvent::MouseMove, row.x, row.y);
        EXPECT_EQ(window->PanelText(1), Message(row.cursor == 0 ? 33 : 35));
        EXPECT_EQ(window->PanelText(2), QString::fromLatin1(row.xText));
        EXPECT_EQ(picture->cursor().pixmap().toImage(), CursorIcon(row.cursor).pixmap().toImage());
    }
    EXPECT_EQ(Control<QLabel>(*window, "lbl2")->text(), QStringLiteral("a = -4"));
    SendToPlot(*window, QEvent::MouseMove, 0.0004, -2.0006);
    EXPECT_EQ(window->PanelText(3), QStringLiteral("y = -2.001"));
}

TEST(GraphNavigation, ClicksMoveTheViewOrAskForNewtonAndTheWheelZooms)
{
    const auto window = Show(QStringLiteral("x^2-4"), -4, 4);
    QSignalSpy newton(window.get(), &GraphWindow::approximateRequested);
    SendToPlot(*window, QEvent::MouseButtonPress, 1.5, 0.7);
    ASSERT_EQ(newton.size(), 1);
    EXPECT_DOUBLE_EQ(newton[0][0].toDouble(), 1.5);
    SendToPlot(*window, QEvent::MouseButtonPress, 4, 0);
    ExpectView(*window, {-3.2, 4.8, -4, 4});
    SendToPlot(*window, QEvent::MouseButtonPress, 4.8, 4); // the new view's top-right corner
    ExpectView(*window, {-2.4, 5.6, -3.2, 4.8});
    EXPECT_EQ(newton.size(), 1);

    // One zoom step per notch; parts of a notch add up.
    auto *picture = Control<PlotArea>(*window, "Picture1");
    for (const int eighths : {120, -240, 60, 60}) {
        QWheelEvent wheel({100, 100}, picture->mapToGlobal(QPointF(100, 100)), {}, {0, eighths},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(picture, &wheel);
    }
    ExpectView(*window, {-2.4, 5.6, -3.2, 4.8});
    EXPECT_EQ(window->PanelText(2), QStringLiteral("a = -2.4"));
}

TEST(GraphNavigation, ViewsThatWouldOverflowAreRefused)
{
    // A tenth of the width added to b, a doubling and the animation's largest frame all go
    // beyond the double range from here.
    const auto window = Show(QStringLiteral("x"), 2e307, 1.7e308);
    const ViewExtent before{2e307, 1.7e308, -7.5e307, 7.5e307};
    Button(*window, "bZoomOut")->trigger();
    SendToPlot(*window, QEvent::MouseButtonPress, 1.7e308, 0);
    QTest::mouseClick(Control(*window, "Cmd_Grafic"), Qt::LeftButton);
    EXPECT_FALSE(window->AnimationPlaying());
    ExpectView(*window, before);
    Button(*window, "bZoomIn")->trigger(); // what stays in range still works
    ExpectView(*window, {1e307, 8.5e307, -3.75e307, 3.75e307});
}

TEST(GraphNavigation, EvaluateAndHelpButtons)
{
    const auto window = Show(QStringLiteral("x"), -1, 1);
    QSignalSpy evaluate(window.get(), &GraphWindow::evaluateRequested);
    Button(*window, "bEval")->trigger();
    EXPECT_EQ(evaluate.size(), 1);
    QString topic;
    SetHelpTopicHandler([&topic](QWidget *, const QString &asked) { topic = asked; });
    Button(*window, "bHelp")->trigger();
    SetHelpTopicHandler(nullptr);
    EXPECT_EQ(topic, QStringLiteral("mg.html"));
}

// Keeps the plot's right edge at each paint, that is which frame reached the screen.
class PaintLog : public QObject
{
public:
    explicit PaintLog(PlotArea *picture)
        : m_picture(picture)
    {
        picture->installEventFilter(this);
    }
    QList<double> rightEdges;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const double right = m_picture->Mapping().Edges().right;
        if (event->type() == QEvent::Paint && (rightEdges.isEmpty() || rightEdges.back() != right))
            rightEdges.append(right);
        return false;
    }

private:
    PlotArea *m_picture;
};

TEST(GraphAnimation, EveryFrameShownPacedAndInputIgnored)
{
    auto window = Show(QStringLiteral("x^2-4"), -4, 4);
    Button(*window, "bRedim")->menu()->findChild<QAction *>("mPrecis")->trigger();
    auto *picture = Control<PlotArea>(*window, "Picture1");
    QWidget *zoomIn =
        Control<QToolBar>(*window, "Toolbar1")->widgetForAction(Button(*window, "bZoomIn"));
    PaintLog paints(picture);
    test::PromptRecorder prompts;
    QSignalSpy newton(window.get(), &GraphWindow::approximateRequested);

    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(Control(*window, "Cmd_Grafic"), Qt::LeftButton);
    ASSERT_TRUE(window->AnimationPlaying());
    QTest::mouseClick(zoomIn, Qt::LeftButton);
    QTest::keyClick(Control(*window, "LstRoot"), Qt::Key_F8);
    QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center());
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_TRUE(newton.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->AnimationPlaying(); }, 5000));
    EXPECT_GE(clock.elapsed(), 30 * 30 - 50); // paced, not flashed

    const std::vector<ViewExtent> frames = AnimationFrames({-4, 4, -4, 4});
    ASSERT_GE(paints.rightEdges.size(), 31);
    const qsizetype first = paints.rightEdges.size() - 31; // before: the view itself
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_DOUBLE_EQ(paints.rightEdges[first + qsizetype(i)], 1.1 * frames[i].b) << i;
    }
    EXPECT_EQ(window->Precision(), 200);
    ExpectView(*window, {-4, 4, frames.back().yMin, frames.back().yMax});
    QTest::mouseClick(zoomIn, Qt::LeftButton); // input reaches the window again
    EXPECT_EQ(window->Get_b(), 2);

    // Closing the window while it plays ends the animation, and its hold on input, with it.
    QTest::mouseClick(Control(*window, "Cmd_Grafic"), Qt::LeftButton);
    window.reset();
    QPushButton other(QStringLiteral("other"));
    other.show();
    QSignalSpy clicked(&other, &QPushButton::clicked);
    QTest::mouseClick(&other, Qt::LeftButton);
    EXPECT_EQ(clicked.size(), 1);
}

} // namespace
} // namespace zv

// The bad-input catalogue at the graph window's doors: prompt answers, views pushed past the
// double range, and the save button onto a full disk or into a locked folder.
#include "graph/graphwindow.h"
#include "graph/plotarea.h"
#include "texts/messagetexts.h"

#include "tests/support/cases.h"
#include "tests/support/hostilefiles.h"
#include "tests/support/messagerecorder.h"
#include "tests/support/promptrecorder.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace zv {
namespace {

QString Text(int index)
{
    return QString::fromStdString(MessageText(index));
}

std::unique_ptr<GraphWindow> Show(const char *function, double a, double b)
{
    auto window = std::make_unique<GraphWindow>(GraphEquation{QString::fromLatin1(function), a, b});
    window->show();
    QApplication::setActiveWindow(window.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return window;
}

QAction *Button(const GraphWindow &window, const char *key)
{
    return window.findChild<QAction *>(QString::fromLatin1(key));
}

// The view as one comparable list: a, b, yMin, yMax and the precision.
std::vector<double> View(const GraphWindow &window)
{
    return {window.Get_a(), window.Get_b(), window.YMin(), window.YMax(),
            double(window.Precision())};
}

bool Finite(const GraphWindow &window)
{
    for (const double value : View(window)) {
        if (!std::isfinite(value))
            return false;
    }
    return window.Get_a() < window.Get_b() && window.YMin() < window.YMax();
}

TEST(BadView, PromptAnswersThatCannotBeTakenLeaveTheView)
{
    const auto window = Show("x^2-4", -3, 3);
    const std::vector<double> before = View(*window);
    const QString digits40 = QString(40, QLatin1Char('9'));
    const QString invalid = Text(32) + '|' + Text(9) + "|i";
    const struct
    {
        const char *name;
        Qt::Key key;
        QList<std::optional<QString>> answers;
        int prompts;
        bool box;
    } rows[] = {
        {"F9: a beyond the range", Qt::Key_F9, {"1e999"}, 1, true},
        {"F9: b beyond the range", Qt::Key_F9, {"0", "-1e999"}, 2, true},
        {"F9: nan for both", Qt::Key_F9, {"nan", "nan"}, 2, true},
        {"F9: 40 digits for both", Qt::Key_F9, {digits40, digits40}, 2, true},
        {"F9: 40 digits wide", Qt::Key_F9, {'-' + digits40, digits40}, 2, true},
        {"F9: empty", Qt::Key_F9, {"", ""}, 2, true},
        {"F9: a million digits", Qt::Key_F9, {QString(1'000'000, '7')}, 1, true},
        {"F9: cancelled", Qt::Key_F9, {std::nullopt}, 1, false},
        {"F9: b cancelled", Qt::Key_F9, {"1", std::nullopt}, 2, false},
        {"F8: beyond the range", Qt::Key_F8, {"1e999"}, 1, true},
        {"F8: nan", Qt::Key_F8, {"nan"}, 1, true},
        {"F8: 40 digits", Qt::Key_F8, {digits40}, 1, true},
        {"F8: below the range", Qt::Key_F8, {"1e-999"}, 1, true},
        {"F8: empty", Qt::Key_F8, {""}, 1, true},
        {"F8: cancelled", Qt::Key_F8, {std::nullopt}, 1, false},
    };
    test::ForEachCase(rows, [&](const auto &row) {
        test::Recorder boxes;
        test::PromptRecorder prompts;
        prompts.answers = row.answers;
        QTest::keyClick(window->findChild<QListWidget *>(QStringLiteral("LstRoot")), row.key);
        EXPECT_EQ(prompts.asked.size(), row.prompts);
        EXPECT_EQ(boxes.Boxes(), row.box ? QStringList({invalid}) : QStringList());
        EXPECT_EQ(View(*window), before);
    });
}

// A press at the world point (x, y) of the plot.
void PressOnPlot(GraphWindow &window, double x, double y)
{
    auto *picture = window.findChild<PlotArea *>(QStringLiteral("Picture1"));
    double px = 0, py = 0;
    ASSERT_TRUE(picture->Mapping().ToPixel(x, y, px, py));
    const QPointF at(px + PlotArea::kBorder, py + PlotArea::kBorder);
    QMouseEvent press(QEvent::MouseButtonPress, at, picture->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &press);
}

void Spin(GraphWindow &window, int notches)
{
    auto *picture = window.findChild<PlotArea *>(QStringLiteral("Picture1"));
    const QPointF at(100, 100);
    QWheelEvent wheel(at, picture->mapToGlobal(at), {}, {0, notches * 120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(picture, &wheel);
}

TEST(BadView, ZoomMovesAndTheAnimationPushedPastTheDoubleRange)
{
    // Steps taken one after the other on one window, each checked where it leaves the view.
    const struct
    {
        const char *name;
        std::function<void(GraphWindow &)> push;
    } steps[] = {
        {"ZoomOut 1100 times",
         [](GraphWindow &w) {
             for (int i = 0; i < 1100; ++i)
                 Button(w, "bZoomOut")->trigger();
         }},
        {"then the top-right corner clicked 200 times",
         [](GraphWindow &w) {
             for (int i = 0; i < 200; ++i)
                 PressOnPlot(w, w.Get_b(), w.YMax());
         }},
        {"Home, then the wheel turned 1100 notches towards zooming in",
         [](GraphWindow &w) {
             Button(w, "bHome")->trigger();
             Spin(w, 1100);
         }},
        {"then 30 notches back, and the bottom-left corner clicked 200 times",
         [](GraphWindow &w) {
             Spin(w, -30);
             for (int i = 0; i < 200; ++i)
                 PressOnPlot(w, w.Get_a(), w.YMin());
         }},
    };
    const auto window = Show("x^3-x", -4, 4);
    test::ForEachCase(steps, [&window](const auto &step) {
        step.push(*window);
        EXPECT_TRUE(Finite(*window));
        EXPECT_FALSE(window->PanelText(2).contains(QStringLiteral("inf"), Qt::CaseInsensitive));

        // The animation from there plays, or is refused, and leaves the view as it was.
        const std::vector<double> view = View(*window);
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Cmd_Grafic")),
                          Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->AnimationPlaying(); }, 5000));
        EXPECT_TRUE(Finite(*window));
        EXPECT_DOUBLE_EQ(window->Get_a(), view[0]);
        EXPECT_DOUBLE_EQ(window->Get_b(), view[1]);
    });
    // The window still answers: Home brings the opening view back.
    Button(*window, "bHome")->trigger();
    EXPECT_EQ(View(*window), std::vector<double>({-4, 4, -4, 4, 100}));
}

TEST(BadView, SavingOntoAFullDiskOrIntoALockedFolderKeepsTheOldFiles)
{
    test::ForEachCase(test::kWritePlaces, [](const test::WritePlace &place) {
        const test::ScratchFolder folder;
        if (!test::MakeWritePlace(folder.path, place,
                                  {{"g.JPG", "old picture"}, {"g.JPG.txt", "old results"}})) {
            return;
        }
        const auto window = Show("x^2-4", -3, 3);
        test::Recorder recorder;
        const QString path = QString::fromStdString((folder.path / "g.JPG").string());
        recorder.chosenFile = path;
        {
            const test::AsNobody nobody(!place.fullDisk);
            Button(*window, "bSave")->trigger();
        }
        const QString failure = QStringLiteral(": ") + QString::fromLatin1(place.failure);
        EXPECT_EQ(recorder.Boxes(), QStringList({Text(22) + "\n\n" + path + failure + '\n' + path +
                                                 ".txt" + failure + '|' + Text(9) + "|!"}));
        EXPECT_EQ(test::FileBytes(folder.path / "g.JPG"), "old picture");
        EXPECT_EQ(test::FileBytes(folder.path / "g.JPG.txt"), "old results");
    });
}

} // namespace
} // namespace zv

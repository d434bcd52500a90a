// The graph window driven as a user drives it; the arithmetic behind each command (zoom, bands,
// prompts, fit, frames) has its tables in the window-free tests.
#include "graph/graphprint.h"
#include "graph/plotscene.h"
#include "graph/viewcommands.h"
#include "harness.h"
#include "tests/support/scratch.h"
#include "ui/cursoricons.h"
#include "ui/helprequest.h"
#include "ui/themepalette.h"

#include <QAccessible>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPdfWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <QXmlStreamReader>

namespace zv::test {
namespace {

QWidget *ButtonFace(const GraphWindow &window, const char *key)
{
    return Control<QToolBar>(window, "Toolbar1")->widgetForAction(Control<QAction>(window, key));
}

QString View(const GraphWindow &w) // "a b yMin yMax"
{
    return QString::asprintf("%.12g %.12g %.12g %.12g", w.Get_a(), w.Get_b(), w.YMin(), w.YMax());
}

// A mouse event at the world point (x, y) of the plot, at its exact fractional position.
void SendToPlot(GraphWindow &window, QEvent::Type type, double x, double y,
                Qt::MouseButton pressed = Qt::LeftButton)
{
    double px = 0, py = 0;
    ASSERT_TRUE(Picture(window)->Mapping().ToPixel(x, y, px, py));
    const QPointF at(px + PlotArea::kBorder, py + PlotArea::kBorder);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : pressed;
    QMouseEvent event(type, at, Picture(window)->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(Picture(window), &event);
}

QStringList Lines(const GraphWindow &window)
{
    QStringList lines;
    auto *list = Control<QListWidget>(window, "LstRoot");
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

void ClickRoot(const GraphWindow &window, int row)
{
    auto *list = Control<QListWidget>(window, "LstRoot");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

// Panels 1 to 3, then the labels lbl2 and lbl3 that repeat panels 2 and 3, joined by "|".
QString Status(const GraphWindow &window)
{
    return QStringList({window.PanelText(1), window.PanelText(2), window.PanelText(3),
                        Control<QLabel>(window, "lbl2")->text(),
                        Control<QLabel>(window, "lbl3")->text()})
        .join('|');
}

TEST(GraphWindow, LoadShowsTheIntervalOnPanelsThatIgnoreLetterCaseAndButtonsAct)
{
    GraphWindow window(GraphEquation{QStringLiteral("x"), 1.2345678, 5.2345678}); // no hover
    EXPECT_EQ(View(window), "1.2345678 5.2345678 -2 2");
    EXPECT_EQ(Status(window),
              MessageTextQ(33) + "|a = 1.234568|b = 5.234568|a = 1.234568|b = 5.234568");
    for (QAction *action : Control<QToolBar>(window, "Toolbar1")->actions())
        EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
    Control<QAction>(window, "bRedim")->hover(); // the precision follows its description
    window.SetPanelText(2, QStringLiteral("A = 1.234568"));
    window.SetPanelText(3, QStringLiteral("b = 9"));
    EXPECT_EQ(Status(window), "Set the accuracy of the graphic. (100)|a = 1.234568|b = 9|"
                              "a = 1.234568|b = 9");

    QSignalSpy evaluate(&window, &GraphWindow::evaluateRequested);
    Control<QAction>(window, "bEval")->trigger();
    EXPECT_EQ(evaluate.size(), 1);

    // The pointer on the window's own surface left of the plot, then on a label.
    window.show();
    for (const bool surface : {true, false}) {
        window.SetPanelText(1, QStringLiteral("elsewhere"));
        window.SetPanelText(2, QStringLiteral("x = 0"));
        window.setCursor(Qt::CrossCursor);
        const QPoint at = surface ? QPoint(2, Picture(window)->geometry().center().y())
                                  : Control(window, "lbl2")->geometry().center();
        QMouseEvent move(QEvent::MouseMove, QPointF(at), window.mapToGlobal(QPointF(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &move);
        EXPECT_EQ(Status(window).section('|', 0, 1),
                  surface ? MessageTextQ(34) + "|a = 1.234568" : "elsewhere|x = 0");
        EXPECT_EQ(window.cursor().shape(), surface ? Qt::ArrowCursor : Qt::CrossCursor);
    }
}

// The list, its tip and the plot's description for a screen reader (its end) say the same.
TEST(GraphWindow, RootListItsToolTipAndAClickedRootMarkedInRed)
{
    const QString found = QStringLiteral("found. Click one root to see it on the graphic.");
    const QLocale saved;
    // The German row: a root is read back with the separator it was written with.
    const std::tuple<const char *, QLocale::Language, double, QStringList, QString, QString>
        rows[] = {{"x-1.5", QLocale::English, 0, {"1.5"}, "1 root" + found, "; root 1.5"},
                  {"x^2-2.25",
                   QLocale::German,
                   -3,
                   {"-1,5", "1,5"},
                   "2 roots" + found,
                   "[-3; 3], y from -3 to 3; roots -1,5 and 1,5"},
                  {"x^2+1", QLocale::English, -3, {}, MessageTextQ(25), "; no root"},
                  // f has a value nowhere: the engine's text, also under the time the scan took.
                  {"x-1.2.3",
                   QLocale::English,
                   -3,
                   {},
                   "Error #9 : Error in evaluation !",
                   "; f has no value on the interval"}};
    for (const auto &[function, language, a, lines, tip, described] : rows) {
        SCOPED_TRACE(function);
        QLocale::setDefault(QLocale(language));
        const auto window = Show(QString::fromLatin1(function), a, 3);
        QLocale::setDefault(saved);
        auto *list = Control<QListWidget>(*window, "LstRoot");
        EXPECT_EQ(Lines(*window), lines);
        EXPECT_EQ(list->toolTip(), tip);
        EXPECT_TRUE(Picture(*window)->accessibleDescription().endsWith(described));
        EXPECT_EQ(Control<QLabel>(*window, "Lbl_root")->text().endsWith("\n" + tip),
                  tip.startsWith("Error"));
        if (!lines.isEmpty()) {
            // A red disc on the last root: red at its radius on both sides, not beyond.
            const double root = QString(lines.back()).replace(',', '.').toDouble();
            const QPoint centre = PixelOf(Picture(*window)->Mapping(), root, 0);
            const auto redAt = [&](int dx) {
                return IsRed(Picture(*window)->PresentImage().pixel(centre + QPoint(dx, 0)));
            };
            EXPECT_FALSE(redAt(3));
            ClickRoot(*window, int(lines.size()) - 1);
            EXPECT_EQ(std::tuple(redAt(-3), redAt(3), redAt(6)), std::tuple(true, true, false));
        }
        list->clear(); // the Roots button scans again, in the separator now in force
        QTest::mouseClick(Control(*window, "Cmd_Radacini"), Qt::LeftButton);
        EXPECT_EQ(Lines(*window).join(' '), lines.join(' ').replace(',', '.'));
    }
}

// In each theme, applied again each time the window becomes active, every text reads on what is
// behind it (WCAG AA, 4.5:1), the selected root among them, and the selection stands out.
TEST(GraphWindowThemes, EveryTextAndTheSelectedRootReadAgainAtEachActivation)
{
    EXPECT_NEAR(ContrastRatio(QColor(0x767676), Qt::white), 4.54, 0.01); // the measure
    QMdiArea area;
    area.show();
    auto *window = new GraphWindow(GraphEquation{QStringLiteral("x^2-4"), -3, 3});
    QMdiSubWindow *frame = area.addSubWindow(window);
    window->show();
    auto *list = Control<QListWidget>(*window, "LstRoot");
    list->setCurrentRow(1);
    // What a control writes on: its own surface, or that of the first one around it that fills it.
    const auto behind = [](const QWidget *control) {
        while (!control->autoFillBackground() && control->parentWidget())
            control = control->parentWidget();
        return control->palette().color(QPalette::Window);
    };
    // Light Blue, Grey, Smooth paste, Blue :q) on the desktop's selection colour, Classical.
    for (const auto &[background, foreground] : std::initializer_list<std::pair<QColor, QColor>>{
             {QColor(137, 190, 239), Qt::black},
             {QColor(192, 192, 192), Qt::black},
             {QColor(232, 226, 226), Qt::black},
             {QApplication::palette().color(QPalette::Highlight), Qt::white},
             {Qt::black, Qt::white}}) {
        SCOPED_TRACE(background.name().toStdString());
        window->SetColours({background, foreground});
        area.setActiveSubWindow(nullptr);
        for (QWidget *spoiled : {static_cast<QWidget *>(list), Control(*window, "Label7")})
            spoiled->setPalette(QPalette(Qt::magenta, Qt::magenta));
        area.setActiveSubWindow(frame);
        // The background, deepened in its own hue where the theme's pair would not read.
        EXPECT_EQ(behind(list), ReadableColours({background, foreground}).background);
        QStringList weak; // what reads too faintly on what is behind it
        const auto check = [&weak](const QString &name, QColor text, QColor back,
                                   double floor = 4.5) {
            if (ContrastRatio(text, back) < floor)
                weak << name;
        };
        using enum QPalette::ColorRole;
        const QPalette shown = list->palette();
        check("root", shown.color(Text), shown.color(Base));
        check("selected", shown.color(HighlightedText), shown.color(Highlight));
        check("selection", shown.color(Highlight), shown.color(Base), 3);
        check("focus frame", window->palette().color(WindowText), behind(window));
        for (const QLabel *label : window->findChildren<QLabel *>())
            check(label->objectName(), label->palette().color(WindowText), behind(label));
        for (const QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
            if (button->isVisible()) // not the tool bar's extension, unneeded
                check(button->text(), button->palette().color(ButtonText),
                      button->palette().color(Button));
        }
        EXPECT_EQ(weak, QStringList());
        // The list paints its selection in those colours.
        const QRect row = list->visualItemRect(list->item(1));
        EXPECT_EQ(list->viewport()->grab().toImage().pixelColor(row.right() - 4, row.center().y()),
                  shown.color(Highlight));
    }
}

// By keyboard alone: Tab goes from the plot through the list (each framed while it has the
// focus), Roots, Animated graphic and the tool bar, each named and described for a screen reader;
// the plot's description follows the view and the roots; F1 opens the window's help, as Help does.
TEST(GraphAccessibility, NamedInTabOrderThePlotDescribedAndF1)
{
    const auto window = Show(QStringLiteral("3^x-x^3"), 0, 6);
    window->SetColours({Qt::black, Qt::white});
    QStringList stops;
    for (int stop = 0; stop < 13; ++stop) {
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        const QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(focus);
        const QPoint frame = focus->mapTo(window.get(), QPoint(-3, 9)); // white when framed
        stops << reader->text(QAccessible::Name) +
                     (reader->text(QAccessible::Description).isEmpty() ? " undescribed" : "") +
                     (window->grab({frame, QSize(1, 1)}).toImage().pixel(0, 0) == 0xffffffff ? "[]"
                                                                                             : "");
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(stops.join('|'), "Plot[]|List of roots[]|Roots|Animated graphic|ZoomOut|ZoomIn|"
                               "Automatic|Default|Precision|Evaluate|Save|Help|Plot[]");

    PlotArea *picture = Picture(*window);
    QAccessibleInterface *plot = QAccessible::queryAccessibleInterface(picture);
    EXPECT_EQ(plot->text(QAccessible::Description),
              "3^x-x^3 = 0 on [0; 6], y from -3 to 3; roots 2.478053 and 3");
    QTest::keyClick(picture, Qt::Key_Plus);
    EXPECT_EQ(plot->text(QAccessible::Description),
              "3^x-x^3 = 0 on [0; 3], y from -1.5 to 1.5; roots on [0; 6]: 2.478053 and 3");

    QStringList topics;
    SetHelpTopicHandler([&topics](QWidget *, const QString &topic) { topics << topic; });
    Control<QAction>(*window, "bHelp")->trigger();
    QTest::keyClick(Control(*window, "LstRoot"), Qt::Key_F1);
    SetHelpTopicHandler(nullptr);
    EXPECT_EQ(topics, QStringList({"mg.html", "mg.html"}));
}

TEST(GraphNavigation, ZoomHomeAndAutomaticWhoseTipNamesTheNextPress)
{
    const auto window = Show(QStringLiteral("x^2-4"), 1, 3);
    const auto press = [&](const char *key) { Control<QAction>(*window, key)->trigger(); };
    press("bZoomOut");
    EXPECT_EQ(View(*window), "2 6 -2 2");
    EXPECT_EQ(Status(*window).section('|', 1), "a = 2|b = 6|a = 2|b = 6");
    press("bHome");
    EXPECT_EQ(View(*window), "1 3 -1 1");
    EXPECT_EQ(window->PanelText(2), QStringLiteral("a = 1"));

    QAction *automatic = Control<QAction>(*window, "bAutomatic");
    for (int time = 1; time <= 3; ++time) {
        SCOPED_TRACE(time);
        automatic->trigger();
        EXPECT_EQ(View(*window), time % 2 ? "1 3 -3 5" : "1 3 -1 1"); // fitted, standard
        EXPECT_EQ(automatic->toolTip(), MessageTextQ(time % 2 ? 36 : 37));
        automatic->hover();
        EXPECT_EQ(window->PanelText(1), automatic->toolTip());
    }
    press("bHome"); // Home keeps what the next press does: here revert
    automatic->trigger();
    EXPECT_EQ(View(*window), "1 3 -1 1");
}

TEST(GraphNavigation, PrecisionMenuRedrawsOnlyOnAChange)
{
    const auto window = Show(QStringLiteral("x^2-4"), -3, 3);
    // The marker of the root 2 stays until the next drawing; the curve passes above it.
    const auto markerStands = [&] {
        const QPoint centre = PixelOf(Picture(*window)->Mapping(), 2, 0);
        return IsRed(Picture(*window)->PresentImage().pixel(centre + QPoint(3, 0)));
    };
    QMenu *menu = Control<QAction>(*window, "bRedim")->menu();
    int before = 100;
    for (const auto &[key, precision] :
         {std::pair{"mNormal", 100}, {"mRapid", 50}, {"mPrecis", 200}, {"mPrecis", 200}}) {
        SCOPED_TRACE(key);
        ClickRoot(*window, 1);
        ASSERT_TRUE(markerStands());
        QAction *entry = Control<QAction>(*window, key);
        entry->trigger();
        EXPECT_EQ(window->Precision(), precision);
        EXPECT_EQ(markerStands(), precision == before);
        for (QAction *other : menu->actions())
            EXPECT_EQ(other->isChecked(), other == entry);
        before = precision;
    }
}

TEST(GraphNavigation, NewIntervalFromF9AndPrecisionFromF8)
{
    const auto window = Show(QStringLiteral("x"), -3, 3);
    QWidget *list = Control(*window, "LstRoot");
    list->setFocus(); // the keys reach the window from any of its controls
    // The key, the answers to its prompts, how many prompts came, what the first offered (the
    // value on view) and the reason the box gave under "Invalid data !", if one came.
    const QString below = "a must be below b.";
    const std::tuple<Qt::Key, QList<std::optional<QString>>, int, QString, QString> rows[] = {
        {Qt::Key_F9, {"1,5", "3"}, 2, "a = -3", {}},
        {Qt::Key_F9, {"0", "500.5"}, 2, "a = 1.5", "The interval must be at most 500 wide."},
        // Answers that are no number in range.
        {Qt::Key_F9, {"1e999"}, 1, "a = 1.5", "The number is too large to be used."},
        {Qt::Key_F9, {"nan", "nan"}, 2, "a = 1.5", below},
        {Qt::Key_F9, {QString(40, '9'), QString(40, '9')}, 2, "a = 1.5", below},
        {Qt::Key_F9, {"", ""}, 2, "a = 1.5", below},
        // A cancelled prompt changes nothing; cancelling a ends the command.
        {Qt::Key_F9, {std::nullopt, "5"}, 1, "a = 1.5", {}},
        {Qt::Key_F9, {"-1", std::nullopt}, 2, "a = 1.5", {}},
        // F8 last: its first row sets the precision 20 that the rows after it keep.
        {Qt::Key_F8, {"19.5"}, 1, "hiq=100", {}},
        {Qt::Key_F8, {""}, 1, "hiq=20", "The precision must be a whole number from 20 to 800."},
        {Qt::Key_F8, {std::nullopt}, 1, "hiq=20", {}},
    };
    for (const auto &[key, answers, asked, offered, reason] : rows) {
        SCOPED_TRACE(answers.size());
        Recorder boxes;
        PromptRecorder prompts;
        prompts.answers = answers;
        QTest::keyClick(list, key);
        ASSERT_EQ(prompts.asked.size(), asked);
        const PromptRequest &first = prompts.asked[0];
        EXPECT_EQ(first.title + '|' + first.prompt + first.defaultText,
                  MessageTextQ(key == Qt::Key_F9 ? 30 : 31) + '|' + offered);
        EXPECT_EQ(View(*window) + '|' + window->PanelText(2), "1.5 3 -0.75 0.75|a = 1.5");
        EXPECT_EQ(window->Precision(), key == Qt::Key_F9 ? 100 : 20);
        const QString box = MessageTextQ(32) + '\n' + reason + '|' + MessageTextQ(9) + "|i";
        EXPECT_EQ(boxes.Boxes(), reason.isEmpty() ? QStringList{} : QStringList{box});
    }
}

TEST(GraphNavigation, PointerShowsBandsClicksMoveTheViewOrAskForNewtonAndTheWheelZooms)
{
    LoadCursorIcons();
    const auto window = Show(QStringLiteral("x^2-4"), -4, 4);
    // The point, then the cursor and panels 1 and 2; the label keeps the interval.
    const std::tuple<double, double, int, QString> rows[] = {
        {-4, -4, 108, MessageTextQ(35) + "|x = -4|y = -4|a = -4"},
        {0.0004, -2.0006, 0, MessageTextQ(33) + "|x = 0|y = -2.001|a = -4"}};
    for (const auto &[x, y, cursor, shown] : rows) {
        SendToPlot(*window, QEvent::MouseMove, x, y);
        EXPECT_EQ(Status(*window).section('|', 0, 3), shown);
        EXPECT_EQ(Picture(*window)->cursor().pixmap().toImage(),
                  CursorIcon(cursor).pixmap().toImage())
            << x;
    }

    QSignalSpy newton(window.get(), &GraphWindow::approximateRequested); // asked for inside only
    SendToPlot(*window, QEvent::MouseButtonPress, 4, 0);
    // The interval now on view is shown at once, on the panels and the labels.
    EXPECT_EQ(View(*window) + '|' + Status(*window).section('|', 1), "-3.2 4.8 -4 4|a = -3.2|"
                                                                     "b = 4.8|a = -3.2|b = 4.8");
    SendToPlot(*window, QEvent::MouseButtonPress, 4.8, 4); // the new view's top-right corner
    EXPECT_EQ(View(*window), "-2.4 5.6 -3.2 4.8");
    EXPECT_TRUE(newton.isEmpty());
    SendToPlot(*window, QEvent::MouseButtonPress, 1.5, 0.5, Qt::RightButton); // any button
    EXPECT_EQ(newton.size(), 1);

    // One zoom step per notch; parts of a notch add up.
    for (const int eighths : {120, -240, 60, 60}) {
        QWheelEvent wheel({100, 100}, Picture(*window)->mapToGlobal(QPointF(100, 100)), {},
                          {0, eighths}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Picture(*window), &wheel);
    }
    EXPECT_EQ(View(*window), "-2.4 5.6 -3.2 4.8");
    EXPECT_EQ(window->PanelText(2), QStringLiteral("a = -2.4"));
    // A notch zooms about the point under the pointer, which stays under it.
    const auto pointed = [&] {
        double x = 0, y = 0;
        Picture(*window)->Mapping().ToWorld(99, 99, x, y);
        return QPointF(x, y);
    };
    const QPointF before = pointed();
    QWheelEvent in({100, 100}, Picture(*window)->mapToGlobal(QPointF(100, 100)), {}, {0, 120},
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Picture(*window), &in);
    EXPECT_LT((pointed() - before).manhattanLength(), 1e-12);
    EXPECT_DOUBLE_EQ(window->Get_b() - window->Get_a(), 4);
}

// The arrows move the view from the plot and choose a root in the list; + and - zoom from any
// control.
TEST(GraphNavigation, ArrowsMoveThePlotOrChooseARootAndPlusAndMinusZoom)
{
    const auto window = Show(QStringLiteral("x^2-4"), -4, 4);
    QWidget *list = Control(*window, "LstRoot");
    QWidget *plot = Picture(*window);
    const std::tuple<QWidget *, Qt::Key, QString> rows[] = {
        {plot, Qt::Key_Right, "-3.2 4.8 -4 4|a = -3.2"},
        {plot, Qt::Key_Up, "-3.2 4.8 -3.2 4.8|a = -3.2"},
        {list, Qt::Key_Plus, "-1.6 2.4 -1.6 2.4|a = -1.6"},
        {list, Qt::Key_Minus, "-3.2 4.8 -3.2 4.8|a = -3.2"},
        {plot, Qt::Key_Left, "-4 4 -3.2 4.8|a = -4"},
        {plot, Qt::Key_Down, "-4 4 -4 4|a = -4"},
        {list, Qt::Key_Down, "-4 4 -4 4|a = -4"}, // from the first root to the second
        {list, Qt::Key_Enter, "-4 4 -4 4|a = -4"}};
    for (const auto &[control, key, shown] : rows) {
        control->setFocus();
        QTest::keyClick(control, key);
        EXPECT_EQ(View(*window) + '|' + Control<QLabel>(*window, "lbl2")->text(), shown) << key;
    }
    EXPECT_EQ(window->Document().Drawn().markedRoots, std::vector<double>{2}); // by Enter
}

TEST(GraphNavigation, ViewsThatWouldOverflowAreRefused)
{
    // A tenth of the width added to b, a doubling and the animation's largest frame all go
    // beyond the double range from here.
    const auto window = Show(QStringLiteral("x"), 2e307, 1.7e308);
    Control<QAction>(*window, "bZoomOut")->trigger();
    SendToPlot(*window, QEvent::MouseButtonPress, 1.7e308, 0);
    QTest::mouseClick(Control(*window, "Cmd_Grafic"), Qt::LeftButton);
    EXPECT_FALSE(window->AnimationPlaying());
    EXPECT_EQ(View(*window), "2e+307 1.7e+308 -7.5e+307 7.5e+307");
}

// Keeps the plot's right edge at each paint, that is which frame reached the screen, and the
// interval the window's label showed then.
struct PaintLog : QObject
{
    bool eventFilter(QObject *picture, QEvent *event) override
    {
        // Only paints: other events reach the filter while the plot is being destroyed.
        const auto right = [&] {
            return static_cast<PlotArea *>(picture)->Mapping().Edges().right;
        };
        if (event->type() == QEvent::Paint &&
            (rightEdges.isEmpty() || rightEdges.back() != right())) {
            rightEdges.append(right());
            shown.append(picture->parent()->findChild<QLabel *>("lbl2")->text());
        }
        return false;
    }
    QList<double> rightEdges;
    QStringList shown;
};

TEST(GraphAnimation, EveryFrameShownPacedAndInputIgnored)
{
    auto window = Show(QStringLiteral("x^2-4"), -4, 4);
    Control<QAction>(*window, "mPrecis")->trigger();
    PaintLog paints;
    Picture(*window)->installEventFilter(&paints);
    PromptRecorder prompts;
    QSignalSpy newton(window.get(), &GraphWindow::approximateRequested);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(Control(*window, "Cmd_Grafic"), Qt::LeftButton);
    ASSERT_TRUE(window->AnimationPlaying());
    QTest::mouseClick(ButtonFace(*window, "bZoomIn"), Qt::LeftButton);
    QTest::keyClick(Control(*window, "LstRoot"), Qt::Key_F8);
    QTest::mouseClick(Picture(*window), Qt::LeftButton, {}, Picture(*window)->rect().center());
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_TRUE(newton.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->AnimationPlaying(); }, 5000));
    EXPECT_GE(clock.elapsed(), 30 * 30 - 50); // paced, not flashed

    const std::vector<ViewExtent> frames = AnimationFrames({-4, 4, -4, 4});
    ASSERT_GE(paints.rightEdges.size(), 31);
    const qsizetype first = paints.rightEdges.size() - 31; // before: the view itself
    for (size_t i = 0; i < frames.size(); ++i)
        EXPECT_DOUBLE_EQ(paints.rightEdges[first + qsizetype(i)], 1.1 * frames[i].b) << i;
    // Each frame's interval on view is shown with it, the view's own after the last one.
    EXPECT_EQ(QStringList(paints.shown.mid(first, 2)) << paints.shown.back(),
              QStringList({"a = -0.646022", "a = -0.775227", "a = -4"}));
    EXPECT_EQ(window->Precision(), 200);
    EXPECT_EQ(std::pair(window->Get_a(), window->YMax()), std::pair(-4.0, frames.back().yMax));
    QTest::mouseClick(ButtonFace(*window, "bZoomIn"), Qt::LeftButton); // input counts again
    EXPECT_EQ(window->Get_b(), 2);

    // Closing the window while it plays ends the animation with it: the frames still due
    // would draw on a window that is gone.
    QTest::mouseClick(Control(*window, "Cmd_Grafic"), Qt::LeftButton);
    window.reset();
    QTest::qWait(100);
}

// Runs in the ordinary suite and once more at QT_SCALE_FACTOR=2 (see tests/CMakeLists.txt).
TEST(GraphWindowHighDensity, PlotUnitsStayWhileTheScreenGetsItsOwnPixels)
{
    const auto window = Show(QStringLiteral("x"), -4, 4);
    PlotArea *picture = Picture(*window);
    const qreal ratio = picture->devicePixelRatioF();
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == QLatin1String("2")) {
        ASSERT_EQ(ratio, 2.0);
    }
    // What is measured stays 319 x 319 plot units, 321 x 321 with the border (what is saved);
    // the screen's copy has the device's pixels, and the axis x = 0 is one device pixel wide.
    const QImage screen = picture->grab(picture->rect().adjusted(1, 1, -1, -1)).toImage();
    EXPECT_EQ((QList<QSize>{picture->size(), picture->PresentImage().size(),
                            window->SavedPicture().size(), screen.size()}),
              (QList<QSize>{{321, 321}, {319, 319}, {321, 321}, QSize(319, 319) * ratio}));
    EXPECT_EQ(screen.devicePixelRatio(), ratio);
    int black = 0;
    for (int column = 0; column < screen.width(); ++column)
        black += IsBlack(screen.pixel(column, static_cast<int>(100 * ratio))) ? 1 : 0;
    EXPECT_EQ(black, 1);
    QSignalSpy newton(window.get(), &GraphWindow::approximateRequested);
    SendToPlot(*window, QEvent::MouseButtonPress, 1.5, 0.5);
    ASSERT_EQ(newton.size(), 1);
    EXPECT_NEAR(newton[0][0].toDouble(), 1.5, 1e-12);
}

const std::string kResults = "x^2-4 = 0\r\n[-3 ; 3]\r\n\r\n 2 roots : \r\n-2\r\n2\r\n\r\n"
                             "Solved graphically with Zerovane 1.0\r\n";

// The pixels of the bottom-right corner tinted light blue where the background picture carries
// the product's name (the curve never comes there), or the picture's red pixels.
int Count(const QImage &image, bool tintedCorner)
{
    int count = 0;
    for (int y = tintedCorner ? image.height() - 30 : 0; y < image.height(); ++y) {
        for (int x = tintedCorner ? image.width() - 90 : 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += tintedCorner ? qBlue(p) - qRed(p) > 12
                                  : qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80;
        }
    }
    return count;
}

struct Saving
{
    void Save(const QString &path) // an empty path cancels the dialog
    {
        recorder.chosenFile = path;
        recorder.messages.clear();
        Control<QAction>(window, "bSave")->trigger();
    }
    QString Path(const QString &name) const { return dir.filePath(name); }
    std::string Text(const QString &name) const { return ReadFile(Path(name).toStdString()); }
    QImage Shown() const { return Picture(window)->PresentImage(); }

    QTemporaryDir dir;
    Recorder recorder;
    GraphWindow window{GraphEquation{QStringLiteral("x^2-4"), -3, 3}};
};

TEST(GraphSave, TheButtonAndABatchSaveWriteBothFilesThenTheButtonDrawsOnPlainWhite)
{
    Saving s;
    s.Save({}); // cancelled: nothing written, the background stays
    EXPECT_TRUE(QDir(s.dir.path()).isEmpty());
    EXPECT_GT(Count(s.Shown(), true), 20);

    s.Save(s.Path("graph.JPG"));
    ASSERT_EQ(s.recorder.dialogs.size(), 2);
    const FileDialogRequest &dialog = s.recorder.dialogs[1];
    EXPECT_EQ(std::pair(dialog.mode, dialog.confirmOverwrite),
              std::pair(FileDialogMode::Save, true));
    // The JPEG entry first, then the other formats.
    EXPECT_EQ(QStringList({dialog.title, dialog.filter.section(";;", 0, 0), dialog.defaultSuffix}),
              QStringList({MessageTextQ(21), MessageTextQ(20), "JPG"}));
    EXPECT_TRUE(s.recorder.messages.isEmpty());
    const QImage first(s.Path("graph.JPG"));
    ASSERT_EQ(first.size(), QSize(PlotArea::kOuterSize, PlotArea::kOuterSize));
    EXPECT_GT(Count(first, false), 100);
    EXPECT_GT(Count(first, true), 20); // the background picture is in it
    EXPECT_EQ(s.Text("graph.JPG.txt"), kResults);

    // The background picture is gone from the window, redrawn at once.
    EXPECT_EQ(Count(s.Shown(), true), 0);
    EXPECT_GT(Count(s.Shown(), false), 100);

    // A batch save (whose failures are tested through the executable) keeps the picture as the
    // background.
    EXPECT_EQ(s.window.auto_save(s.Path("eq.zvn")), QString());
    EXPECT_EQ(s.Text("eq.zvn.txt"), kResults);
    EXPECT_GT(Count(Picture(s.window)->Scene().backdropPicture, false), 100);
}

TEST(GraphSave, AFileThatCannotBeWrittenIsReportedOnceAndTheOtherIsStillWritten)
{
    Saving s;
    const QString kNotAFile = "This is a pipe, a device or a socket, not a file.";
    // A box says which of the two is saved, so that a pair written in part is not taken whole.
    const std::tuple<const char *, bool> rows[] = {{"the picture where a device stands", true},
                                                   {"the results where a folder stands", false}};
    for (const auto &[name, pictureFails] : rows) {
        SCOPED_TRACE(name);
        const QString path = s.Path(QString::fromLatin1(name) + ".JPG");
        ASSERT_TRUE(pictureFails ? QFile::link(QStringLiteral("/dev/null"), path)
                                 : QDir().mkdir(path + ".txt"));
        s.Save(path);
        const QString box = pictureFails ? MessageTextQ(22) + "\n\n" + path + ": " + kNotAFile +
                                               "\n\nThe results were saved in " + path + ".txt."
                                         : "The picture was saved, but not its results:\n\n" +
                                               path + ".txt: Is a directory";
        EXPECT_EQ(s.recorder.Boxes(), QStringList({box + '|' + MessageTextQ(9) + "|!"}));
        EXPECT_EQ(QImage(path).width(), pictureFails ? 0 : PlotArea::kOuterSize);
        EXPECT_EQ(ReadFile((path + ".txt").toStdString()) == kResults, pictureFails);
    }

    // On a full disk both fail, each is named in the one box, and the old files stay.
    const Folder full;
    if (!MountFullDisk(full.path, {{"g.JPG", "old picture"}, {"g.JPG.txt", "old results"}}))
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root and the right to mount)";
    const QString path = QString::fromStdString((full.path / "g.JPG").string());
    s.Save(path);
    const QString failure = QStringLiteral(": No space left on device");
    EXPECT_EQ(s.recorder.Boxes(),
              QStringList({MessageTextQ(22) + "\n\n" + path + failure + '\n' + path + ".txt" +
                           failure + '|' + MessageTextQ(9) + "|!"}));
    EXPECT_EQ(ReadFile(full.path / "g.JPG"), "old picture");
    EXPECT_EQ(ReadFile(full.path / "g.JPG.txt"), "old results");
}

int PdfPages(const QByteArray &pdf)
{
    return int(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page(?!s)")));
}

// The red polylines of an SVG file with more than `points` points each (a stroke is set on the
// groups around the shapes), and whether it holds the text.
int RedPolylines(const QByteArray &svg, int points, const QString &text, bool &hasText)
{
    QXmlStreamReader xml(svg);
    QStringList strokes{"none"};
    int red = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringView stroke = xml.attributes().value("stroke");
            strokes << (stroke.isEmpty() ? strokes.back() : stroke.toString());
            if (xml.name() == QLatin1String("polyline") && strokes.back() == "#ff0000" &&
                xml.attributes().value("points").split(' ', Qt::SkipEmptyParts).size() > points)
                ++red;
            if (xml.name() == QLatin1String("text"))
                hasText = hasText || xml.readElementText().trimmed() == text;
        }
        if (xml.isEndElement())
            strokes.removeLast();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return red;
}

TEST(GraphSave, EachFormatByItsNameWithTheResultsBesideAndPrinted)
{
    Saving s;
    for (const char *name : {"plot.jpeg", "plot.svg", "plot.pdf", "plot.png"}) {
        s.Save(s.Path(name));
        EXPECT_TRUE(s.recorder.messages.isEmpty()) << name;
        EXPECT_EQ(s.Text(QString(name) + ".txt"), kResults) << name;
    }
    EXPECT_EQ(QImage(s.Path("plot.jpeg")).size(), QSize(321, 321));
    // PNG loses nothing (the pictures after the first show a plain background).
    EXPECT_EQ(QImage(s.Path("plot.png")).convertToFormat(QImage::Format_RGB32),
              s.window.SavedPicture());
    // Vector files: each of the curve's two pieces on view as one red line through its points,
    // the texts as text; one page.
    bool hasText = false;
    EXPECT_EQ(RedPolylines(QByteArray::fromStdString(s.Text("plot.svg")), 20, "x^2-4 = 0", hasText),
              2);
    EXPECT_TRUE(hasText);
    EXPECT_EQ(PdfPages(QByteArray::fromStdString(s.Text("plot.pdf"))), 1);

    // Printed: the plot and the results under it, further pages when the lines need them.
    for (const auto &[more, pages] : {std::pair{0, 1}, {150, 3}}) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter printer(&buffer);
        PrintGraph(printer, s.window.Scene(), {321, 321},
                   s.window.ResultsFileText() + QString("1\r\n").repeated(more).toStdString());
        EXPECT_GE(PdfPages(buffer.data()), pages) << more;
        EXPECT_EQ(PdfPages(buffer.data()) == 1, more == 0);
    }
}

// What a save, a copy or an export writes lists the roots of the interval it names: the
// interval on view is searched first when the last search covered another. Sample 1 has the
// roots 2.478053 and 3 on [0; 6].
TEST(GraphMends, TheResultsOfEveryDoorListTheRootsOfTheIntervalOnView)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("r.png");
    const auto zoomTwice = [](GraphWindow &w) {
        Control<QAction>(w, "bZoomIn")->trigger();
        Control<QAction>(w, "bZoomIn")->trigger();
    };
    const auto newInterval = [](GraphWindow &w) {
        PromptRecorder prompts;
        prompts.answers = {"4", "5"};
        QTest::keyClick(&w, Qt::Key_F9);
    };
    const auto moved = [](GraphWindow &w) { QTest::keyClick(&w, Qt::Key_Right); };
    // How the view changed, then lines 2 to 5 of the results.
    const std::tuple<const char *, std::function<void(GraphWindow &)>, QString> rows[] = {
        {"zoomed in twice", zoomTwice, "[0 ; 1.5]||No root.|"},
        {"a new interval", newInterval, "[4 ; 5]||No root.|"},
        {"moved right", moved, "[0.6 ; 6.6]|| 2 roots : |2.478053"}};
    // Each door on a window of its own: the first search makes the next door's search moot.
    const std::pair<const char *, std::function<std::string(GraphWindow &)>> doors[] = {
        {"Save",
         [&](GraphWindow &w) {
             Recorder recorder;
             recorder.chosenFile = path;
             Control<QAction>(w, "bSave")->trigger();
             return ReadFile((path + ".txt").toStdString());
         }},
        {"Copy",
         [](GraphWindow &w) {
             w.CopyToClipboard();
             return QApplication::clipboard()->text().replace("\n", "\r\n").toStdString();
         }},
        {"export", [&](GraphWindow &w) {
             EXPECT_EQ(w.ExportPicture(path), QString());
             return ReadFile((path + ".txt").toStdString());
         }}};
    for (const auto &[name, change, lines] : rows) {
        for (const auto &[door, write] : doors) {
            SCOPED_TRACE(std::string(name) + " " + door);
            const auto window = Show(QStringLiteral("3^x-x^3"), 0, 6);
            change(*window);
            const QStringList text = QString::fromStdString(write(*window)).split("\r\n");
            EXPECT_EQ(text.mid(1, 4).join('|'), lines);
            // The list shows what was written.
            EXPECT_EQ(Lines(*window).join('|'), text.mid(4, Lines(*window).size()).join('|'));
        }
    }
}

// Enlarged, the plot takes the room: the mapping, the bands, the grid and the saved picture
// follow its size.
TEST(GraphWindowLarger, ThePlotTakesTheRoomAndEverythingOnItFollows)
{
    const auto window = Show(QStringLiteral("x^2-4"), -4, 4);
    PlotArea *picture = Picture(*window);
    window->resize(window->size() + QSize(400, 250));
    ASSERT_TRUE(QTest::qWaitFor([&] { return picture->width() > 321; }));
    EXPECT_EQ(picture->size(), QSize(721, 571));
    double px = 0, py = 0; // (b, yMax) with margins of 5 % and 10 % of the view
    picture->Mapping().ToPixel(4, 4, px, py);
    EXPECT_NEAR(px, 719 * 1.05 / 1.1, 1e-9);
    EXPECT_NEAR(py, 569 * 0.1 / 1.15, 1e-9);
    EXPECT_EQ(window->SavedPicture().size(), picture->size());
    // With the scale, the grid's lines stand a unit apart across the larger plot; an overlay
    // stays through a change of the view.
    PlotOverlay overlay;
    overlay.points = {{1.5, 1.5}};
    window->SetOverlay(overlay);
    window->SetGridShown(true);
    SendToPlot(*window, QEvent::MouseButtonPress, 4, 0); // the right band
    EXPECT_EQ(View(*window), "-3.2 4.8 -4 4");
    EXPECT_EQ(window->Scene().overlay.points.size(), 1u);
    const QImage shown = picture->PresentImage();
    for (const double x : {-3.0, -1.0, 2.0, 4.0})
        EXPECT_EQ(shown.pixel(PixelOf(picture->Mapping(), x, 3.5)), qRgb(222, 226, 232)) << x;
}

// Ctrl+C, or Copy from the list's context menu, puts on the clipboard the picture and the results
// text exactly as a save writes them (with the platform's line ends). The plot has no menu: any
// button pressed on it asks for the Newton window, and a menu would follow when that closed.
TEST(GraphCopy, PutsThePictureAndTheResultsAsASaveWritesThem)
{
    const auto window = Show(QStringLiteral("x^2-4"), -3, 3);
    QWidget *list = Control(*window, "LstRoot");
    list->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    const QMimeData *data = QApplication::clipboard()->mimeData();
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image, window->SavedPicture().convertToFormat(image.format()));
    const QString text = QString::fromStdString(window->ResultsFileText()).replace("\r\n", "\n");
    EXPECT_EQ(data->text(), text);
    QList<QAction *> entries; // of the menus that open, closed at once
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&entries] {
        if (QWidget *menu = QApplication::activePopupWidget()) {
            entries << menu->actions();
            menu->close();
        }
    });
    closer.start(0);
    for (QWidget *widget :
         {Control(*window, "Picture1"), static_cast<QListWidget *>(list)->viewport()}) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, {5, 5},
                                widget->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(widget, &event);
        QTest::qWait(10);
    }
    EXPECT_EQ(entries, QList<QAction *>{Control<QAction>(*window, "actCopy")}); // Ctrl+C's
}

// A root scan that runs for seconds keeps the program alive: windows repaint, input is dropped,
// Escape stops it, and a window asked to close closes once it is over. Events posted before the
// window opens are seen only by its scan, which turns the event loop once it has run a while.
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
    QCoreApplication::postEvent(&other, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
    const auto window = std::make_unique<GraphWindow>(GraphEquation{text, -1000, 1000});
    const auto stopped = [&] {
        return Control<QLabel>(*window, "Lbl_root")->text().endsWith("Stopped: partial list.");
    };
    EXPECT_EQ(cursor, Qt::WaitCursor);
    EXPECT_EQ(notice, QStringLiteral("Looking for roots...\nEsc stops the search."));
    EXPECT_TRUE(stopped());
    EXPECT_TRUE(Picture(*window)->accessibleDescription().endsWith(" (search stopped)"));
    EXPECT_LT(Control<QListWidget>(*window, "LstRoot")->count(), 637);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // A copy searches the stopped interval again; stopped once more, it copies nothing.
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    QCoreApplication::postEvent(window.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
    window->CopyToClipboard();
    EXPECT_TRUE(stopped());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("kept"));

    // A click on "Animated graphic" that arrives while Roots scans again, then Escape.
    window->show();
    QWidget *animate = Control(*window, "Cmd_Grafic");
    const QPointF at = QRectF(animate->rect()).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QCoreApplication::postEvent(animate, new QMouseEvent(type, at, animate->mapToGlobal(at),
                                                             Qt::LeftButton, Qt::LeftButton,
                                                             Qt::NoModifier));
    }
    QCoreApplication::postEvent(window.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
    QTest::mouseClick(Control(*window, "Cmd_Radacini"), Qt::LeftButton);
    EXPECT_TRUE(stopped());
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->AnimationPlaying());

    // The other window asked to close as the window manager's close box does it (to the
    // platform window): the close stops the scan and waits for its end.
    QCoreApplication::postEvent(other.windowHandle(), new QCloseEvent);
    QTest::mouseClick(Control(*window, "Cmd_Radacini"), Qt::LeftButton);
    EXPECT_TRUE(stopped());
    EXPECT_TRUE(other.isVisible());
    // Not QTRY_VERIFY: its failure goes to QtTest, which gtest never hears of.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !other.isVisible(); }));
}

} // namespace
} // namespace zv::test

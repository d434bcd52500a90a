#include "graph/graphwindow.h"
#include "graph/plotarea.h"
#include "pixelprobe.h"
#include "ui/messagetextq.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace zv {
namespace {

using test::AnyNear;
using test::IsRed;
using test::PixelOf;

std::unique_ptr<GraphWindow> Open(const QString &function, double a, double b)
{
    return std::make_unique<GraphWindow>(GraphEquation{function, a, b});
}

template<typename T>
T *Control(const GraphWindow &window, const char *name)
{
    T *control = window.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

QStringList Lines(const GraphWindow &window)
{
    QStringList lines;
    auto *list = Control<QListWidget>(window, "LstRoot");
    for (int i = 0; i < list->count(); ++i) {
        lines << list->item(i)->text();
    }
    return lines;
}

TEST(GraphWindowLoad, CopiesTheEquationAndShowsItInTheStandardRange)
{
    const auto window = Open(QStringLiteral("x"), 1.2345678, 5.2345678);
    EXPECT_EQ(window->Get_f(), QStringLiteral("x"));
    EXPECT_EQ(window->Get_a(), 1.2345678);
    EXPECT_EQ(window->Get_b(), 5.2345678);
    // Both ends positive: centred on 0, as high as the interval is wide.
    EXPECT_DOUBLE_EQ(window->YMin(), -2);
    EXPECT_DOUBLE_EQ(window->YMax(), 2);
    EXPECT_EQ(window->Precision(), 100);
    EXPECT_EQ(window->PanelText(1), MessageTextQ(33));
    EXPECT_EQ(window->PanelText(2), QStringLiteral("a = 1.234568"));
    EXPECT_EQ(window->PanelText(3), QStringLiteral("b = 5.234568"));
    EXPECT_EQ(Control<QLabel>(*window, "lbl2")->text(), QStringLiteral("a = 1.234568"));
    EXPECT_EQ(Control<QLabel>(*window, "lbl3")->text(), QStringLiteral("b = 5.234568"));
    // The root scan runs last, so its time is what the label shows.
    EXPECT_TRUE(Control<QLabel>(*window, "Lbl_root")->text().endsWith(MessageTextQ(28)));
}

TEST(GraphWindowLoad, EveryControlIsWired)
{
    const auto window = Open(QStringLiteral("x"), -1, 1);
    const QList<QAction *> actions = Control<QToolBar>(*window, "Toolbar1")->actions();
    ASSERT_EQ(actions.size(), 8);
    for (QAction *action : actions) {
        EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
        EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
    }
    EXPECT_TRUE(Control<QPushButton>(*window, "Cmd_Grafic")->isEnabled());
    EXPECT_TRUE(Control<QPushButton>(*window, "Cmd_Radacini")->isEnabled());
}

struct RootsRow
{
    const char *function;
    double a, b;
    QStringList lines;
    QString tip;
};

TEST(GraphWindowRoots, ListAndToolTipOnLoadAndOnTheRootsButton)
{
    const QString found = QStringLiteral("found. Click one root to see it on the graphic.");
    const RootsRow rows[] = {
        {"x^2-4", -3, 3, {"-2", "2"}, QStringLiteral("2 roots") + found},
        {"x-1.5", 0, 3, {"1.5"}, QStringLiteral("1 root") + found},
        {"x^2+1", -3, 3, {}, MessageTextQ(25)},
    };
    for (const RootsRow &row : rows) {
        const auto window = Open(QString::fromLatin1(row.function), row.a, row.b);
        auto *list = Control<QListWidget>(*window, "LstRoot");
        EXPECT_EQ(Lines(*window), row.lines) << row.function;
        EXPECT_EQ(list->toolTip(), row.tip) << row.function;
        // The Roots button scans afresh.
        list->clear();
        QTest::mouseClick(Control<QPushButton>(*window, "Cmd_Radacini"), Qt::LeftButton);
        EXPECT_EQ(Lines(*window), row.lines) << row.function;
    }
}

// Clicks the list line `text` and tells whether a red disc stands at (x, 0): red at the
// disc's radius to the side of the centre, where the curve itself does not pass.
void ClickRoot(GraphWindow &window, const QString &text, double x)
{
    auto *list = Control<QListWidget>(window, "LstRoot");
    const auto *picture = Control<PlotArea>(window, "Picture1");
    const QList<QListWidgetItem *> items = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << text.toStdString();
    const QPoint centre = PixelOf(picture->Mapping(), x, 0);
    const QPoint side(centre.x() + 3, centre.y());
    EXPECT_FALSE(IsRed(picture->Layer().pixel(side)));

    list->resize(180, 200);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.front()).center());
    EXPECT_TRUE(IsRed(picture->Layer().pixel(side)));
    EXPECT_TRUE(IsRed(picture->Layer().pixel(centre.x() - 3, centre.y())));
    EXPECT_FALSE(IsRed(picture->Layer().pixel(centre.x() + 6, centre.y())));
}

TEST(GraphWindowRoots, ListIsReadBackWithTheSeparatorItWasWrittenWith)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const auto window = Open(QStringLiteral("x^2-2.25"), -3, 3);
    QLocale::setDefault(saved);
    EXPECT_EQ(Lines(*window), QStringList({"-1,5", "1,5"}));
    ClickRoot(*window, QStringLiteral("1,5"), 1.5);
}

TEST(GraphWindowDrawing, CurveIsRedWhereItIsInRangeOnly)
{
    const auto window = Open(QStringLiteral("x^2-4"), -3, 3);
    const auto *picture = Control<PlotArea>(*window, "Picture1");
    for (const double x : {-2.5, -1.5, 1.0, 2.0, 2.5}) {
        EXPECT_TRUE(AnyNear(picture->Layer(), PixelOf(picture->Mapping(), x, x * x - 4), 2, IsRed))
            << x;
    }
    // Between -1 and 1 the parabola is below the range: no red, not even along its bottom.
    const QPoint top = PixelOf(picture->Mapping(), 0, 3);
    const QPoint bottom = PixelOf(picture->Mapping(), 0, -3);
    for (int row = top.y(); row <= bottom.y(); ++row) {
        ASSERT_FALSE(IsRed(picture->Layer().pixel(top.x(), row))) << row;
    }
}

TEST(GraphWindowDrawing, ExtremeViewsDoNotFail)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        const char *function;
        double a, b;
    } rows[] = {
        {"x", 5, 5},          {"1/x", 0, 0},          {"x", 1e308, 1e308},
        {"x", -1e308, 1e308}, {"x^2", 1e308, -1e308}, {"exp(x)", -1e300, 1e300},
        {"x", -inf, inf},     {"x", nan, 1},
    };
    for (const auto &row : rows) {
        const auto window = Open(QString::fromLatin1(row.function), row.a, row.b);
        EXPECT_TRUE(Control<QLabel>(*window, "Lbl_root")->text().endsWith(MessageTextQ(28)))
            << row.function << " " << row.a << " " << row.b;
    }
    QString longFunction = QStringLiteral("x");
    while (longFunction.size() < 200) {
        longFunction += QStringLiteral("+sin(x)");
    }
    const auto window = Open(longFunction, -3, 3);
    EXPECT_EQ(window->Get_f(), longFunction);
}

struct PanelRow
{
    int index;
    QString text;
    bool changes;
};

TEST(GraphWindowPanels, SetPanelTextIgnoresLetterCase)
{
    const auto window = Open(QStringLiteral("x"), 1, 2);
    const PanelRow rows[] = {
        {2, QStringLiteral("A = 1"), false},    {2, QStringLiteral("a = 7"), true},
        {3, QStringLiteral("B = 2"), false},    {3, QStringLiteral("b = 9"), true},
        {1, MessageTextQ(33).toUpper(), false}, {1, QStringLiteral("other"), true},
    };
    for (const PanelRow &row : rows) {
        const QString before = window->PanelText(row.index);
        const QString lbl2 = Control<QLabel>(*window, "lbl2")->text();
        const QString lbl3 = Control<QLabel>(*window, "lbl3")->text();
        window->SetPanelText(row.index, row.text);
        EXPECT_EQ(window->PanelText(row.index), row.changes ? row.text : before);
        EXPECT_EQ(Control<QLabel>(*window, "lbl2")->text(),
                  row.changes && row.index == 2 ? row.text : lbl2);
        EXPECT_EQ(Control<QLabel>(*window, "lbl3")->text(),
                  row.changes && row.index == 3 ? row.text : lbl3);
    }
}

TEST(GraphWindowPanels, PointerOverTheWindowsOwnSurface)
{
    const auto window = Open(QStringLiteral("x"), -1.5, 2);
    window->resize(window->sizeHint());
    window->show();
    const auto *picture = Control<PlotArea>(*window, "Picture1");
    const struct
    {
        const char *where;
        QPoint at;
        bool surface;
    } rows[] = {
        {"left of the plot", QPoint(2, picture->geometry().center().y()), true},
        {"on the plot", picture->geometry().center(), false},
        {"on lbl2", Control<QLabel>(*window, "lbl2")->geometry().center(), false},
    };
    for (const auto &row : rows) {
        window->SetPanelText(1, QStringLiteral("elsewhere"));
        window->SetPanelText(2, QStringLiteral("x = 0"));
        window->setCursor(Qt::CrossCursor);
        QMouseEvent move(QEvent::MouseMove, QPointF(row.at), window->mapToGlobal(QPointF(row.at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &move);
        EXPECT_EQ(window->PanelText(1),
                  row.surface ? MessageTextQ(34) : QStringLiteral("elsewhere"))
            << row.where;
        EXPECT_EQ(window->PanelText(2), row.surface ? QStringLiteral("a = -1.5") : "x = 0")
            << row.where;
        EXPECT_EQ(window->cursor().shape(), row.surface ? Qt::ArrowCursor : Qt::CrossCursor)
            << row.where;
    }
}

TEST(GraphWindowActivation, ThemeColoursEachTimeTheChildBecomesActive)
{
    QMdiArea area;
    area.resize(1200, 800);
    area.show();
    const ThemeColours colours{Qt::darkCyan, Qt::yellow};
    auto *first = new GraphWindow(GraphEquation{QStringLiteral("x"), -1, 1});
    first->SetColours(colours);
    QMdiSubWindow *firstSub = area.addSubWindow(first);
    first->show();
    auto *second = new GraphWindow(GraphEquation{QStringLiteral("x^2"), -1, 1});
    QMdiSubWindow *secondSub = area.addSubWindow(second);
    second->show();

    area.setActiveSubWindow(secondSub);
    QPalette spoiled = first->palette();
    spoiled.setColor(QPalette::Window, Qt::magenta);
    first->setPalette(spoiled);
    auto *label = Control<QLabel>(*first, "Label7");
    QPalette spoiledText = label->palette();
    spoiledText.setColor(QPalette::WindowText, Qt::magenta);
    label->setPalette(spoiledText);

    area.setActiveSubWindow(firstSub);
    EXPECT_EQ(first->palette().color(QPalette::Window), colours.background);
    EXPECT_EQ(Control<QListWidget>(*first, "LstRoot")->palette().color(QPalette::Base),
              colours.background);
    EXPECT_EQ(Control<QListWidget>(*first, "LstRoot")->palette().color(QPalette::Text),
              colours.foreground);
    for (const char *name : {"Label7", "lbl2", "lbl3", "Lbl_root"}) {
        EXPECT_EQ(Control<QLabel>(*first, name)->palette().color(QPalette::WindowText),
                  colours.foreground)
            << name;
    }
}

} // namespace
} // namespace zv

// What a desktop user expects of every window: readable in every theme and on a dark desktop,
// reached by keyboard and assistive tools, F1 for help, greyed commands, recent projects.
#include "helpviewer/helpwindow.h"
#include "shell/aboutwindow.h"
#include "shell/projectfile.h"
#include "shell/recentprojects.h"
#include "tools/evaluare.h"
#include "tools/methodswindow.h"
#include "tools/newton.h"
#include "tools/xpert.h"
#include "ui/helprequest.h"
#include "ui/linklabel.h"
#include "ui/systempath.h"
#include "ui/themepalette.h"

#include "shell.h"
#include "tests/support/cases.h"
#include "tests/support/scratch.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace zv {
namespace {

// The widgets of window without those of the child windows inside it (their frames stay).
QList<QWidget *> OwnWidgets(QWidget *window)
{
    QList<QWidget *> own{window};
    for (QWidget *w : window->findChildren<QWidget *>()) {
        QWidget *up = w->parentWidget();
        while (up != window && !qobject_cast<QMdiSubWindow *>(up))
            up = up->parentWidget();
        if (up == window)
            own << w;
    }
    return own;
}

// The colour a widget stands on: the nearest surface from it up that paints one, as Fusion does.
QColor Ground(const QWidget *w)
{
    for (; w != nullptr; w = w->parentWidget()) {
        const QWidget *up = w->parentWidget();
        if (const auto *area = qobject_cast<const QMdiArea *>(w))
            return area->background().color();
        if (qobject_cast<const QStackedWidget *>(up) &&
            qobject_cast<const QTabWidget *>(up->parentWidget()))
            return up->palette().color(QPalette::Button); // a tab's page
        if (const auto *view = qobject_cast<const QAbstractScrollArea *>(up);
            view && view->viewport() == w)
            return w->palette().color(QPalette::Base);
        if (qobject_cast<const QToolBar *>(w) || qobject_cast<const QMenuBar *>(w) ||
            qobject_cast<const QStatusBar *>(w))
            return w->palette().color(QPalette::Window);
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(w->backgroundRole());
    }
    return {};
}

// Each visible, enabled text of window (and its menus) in the role Fusion draws it with on what
// is behind it; the selections and focus frames against what surrounds them. One line each
// for what fails.
QStringList ContrastFailures(QWidget *window)
{
    QStringList failures;
    for (const QWidget *w : OwnWidgets(window)) {
        const bool menu = qobject_cast<const QMenu *>(w); // on view only when opened
        if ((!menu && !w->isVisibleTo(window)) || !w->isEnabled())
            continue;
        const QPalette p = w->palette();
        const auto c = [&p](QPalette::ColorRole role) { return p.color(role); };
        const QColor around = Ground(w->parentWidget() ? w->parentWidget() : w);
        const auto check = [&](const char *what, const QColor &one, const QColor &other,
                               double floor = kTextContrast) {
            if (ContrastRatio(one, other) < floor)
                failures << QStringLiteral("%1 %2 %3 on %4")
                                .arg(w->objectName() + w->metaObject()->className(), what,
                                     one.name(), other.name());
        };
        const auto *label = qobject_cast<const QLabel *>(w);
        if (label && !label->text().isEmpty())
            check("text", c(label->foregroundRole()), Ground(w));
        if (qobject_cast<const QPushButton *>(w) || qobject_cast<const QTabBar *>(w))
            check("caption", c(w->foregroundRole()), c(QPalette::Button));
        if (const auto *tool = qobject_cast<const QToolButton *>(w))
            check("caption", c(QPalette::ButtonText),
                  tool->autoRaise() ? around : c(QPalette::Button));
        if (qobject_cast<const QAbstractScrollArea *>(w) || qobject_cast<const QLineEdit *>(w) ||
            menu) {
            check("text", c(QPalette::Text), c(menu ? QPalette::Window : QPalette::Base));
            check("chosen", c(QPalette::HighlightedText), c(QPalette::Highlight));
        }
        if (qobject_cast<const QAbstractItemView *>(w))
            check("selection", c(QPalette::Highlight), c(QPalette::Base), kMarkContrast);
        if (qobject_cast<const QMenuBar *>(w)) {
            check("menu", c(QPalette::ButtonText), c(QPalette::Window));
            check("open menu", c(QPalette::HighlightedText), c(QPalette::Highlight));
        }
        if (qobject_cast<const QMdiSubWindow *>(w)) { // Fusion writes titles white or black
            check("title", Qt::white, p.color(QPalette::Active, QPalette::Highlight));
            check("inactive title", Qt::black, p.color(QPalette::Inactive, QPalette::Window));
        }
        // The focus: around a field in a shade of the highlight; inside a button or tab, and
        // around a link, in the text colour (ShowFocusClearly). A list shows its current item
        // as the selection, a tab widget hands the focus to its tabs.
        if (!(w->focusPolicy() & Qt::TabFocus) || w == window || menu ||
            qobject_cast<const QAbstractScrollArea *>(w) || qobject_cast<const QTabWidget *>(w))
            continue;
        if (qobject_cast<const QLineEdit *>(w))
            check("focus", FocusFrameColour(c(QPalette::Highlight)), around, kMarkContrast);
        else if (!qobject_cast<const QPushButton *>(w) && !qobject_cast<const QTabBar *>(w))
            check("focus", c(w->foregroundRole()), Ground(w), kMarkContrast);
    }
    return failures;
}

// What the keyboard or assistive tools cannot reach: a control acting on a click but out of
// the Tab chain (a tool button with a shortcut is reached by it), a focusable one without an
// accessible name or description (a row of tabs is described by its tabs).
QStringList UnreachableControls(QWidget *window)
{
    QStringList failures;
    for (QWidget *w : OwnWidgets(window)) {
        if (!w->isVisibleTo(window) || !w->isEnabled() || w == window)
            continue;
        const QString name = w->objectName() + w->metaObject()->className();
        const auto *tool = qobject_cast<const QToolButton *>(w);
        const auto *header = qobject_cast<const QHeaderView *>(w);
        const bool clickable = qobject_cast<const QAbstractButton *>(w) ||
                               qobject_cast<const LinkLabel *>(w) ||
                               qobject_cast<const QLineEdit *>(w) ||
                               (qobject_cast<const QAbstractItemView *>(w) &&
                                !(header && !header->sectionsClickable()));
        if (clickable && !(w->focusPolicy() & Qt::TabFocus) &&
            !(tool && tool->defaultAction() && !tool->defaultAction()->shortcut().isEmpty()))
            failures << name + " out of the Tab chain";
        QAccessibleInterface *control = QAccessible::queryAccessibleInterface(w);
        if (control == nullptr || !control->state().focusable)
            continue;
        if (control->text(QAccessible::Name).isEmpty())
            failures << name + " without a name";
        QList<QAccessibleInterface *> described{control};
        if (control->role() == QAccessible::PageTabList) {
            described.clear();
            for (int i = 0; i < control->childCount(); ++i)
                if (control->child(i)->role() == QAccessible::PageTab)
                    described << control->child(i);
        }
        for (const QAccessibleInterface *part : described)
            if (part->text(QAccessible::Description).isEmpty())
                failures << name + " without a description";
    }
    return failures;
}

// A dark desktop (as Adwaita's dark variant), every role set.
QPalette DarkDesktop()
{
    const QPalette made(QColor(0x3c3c3c), QColor(0x353535)); // button, window; the rest from them
    QPalette dark;
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        dark.setColor(QPalette::ColorRole(role), made.color(QPalette::ColorRole(role)));
    dark.setColor(QPalette::Highlight, QColor(0x15539e));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    return dark;
}

// Every window in every theme, on the desktop's palette and on a dark one that arrives while
// the program runs: each text reads on what is behind it, each focus frame and selection stands
// out, every control is reached by Tab and named for assistive tools, and F1 opens the topic
// of the window with the focus (the wizard's of its page, as its Help button; elsewhere the
// contents, an empty topic).
TEST(Desktop, EveryWindowReadsInEveryThemeLightOrDarkAndIsReachedByKeyboardAndF1)
{
    test::Shell shell;
    Evaluare evaluate(QStringLiteral("x+"), &shell.main);
    Newton newton(QStringLiteral("x^2-4"), &shell.main);
    AboutWindow about(&shell.main);
    HelpWindow help(QStringLiteral(ZV_HELP_FILE), QStringLiteral("win"));
    shell.main.show();
    GraphWindow *graph = shell.OpenOn("x^2-4", -3, 3);
    XPert *wizard = shell.main.ShowWizard();
    MethodsWindow *methods = shell.main.OpenMethods(); // compared at once, on the graph's equation
    evaluate.Cmd_calcul_Click();                       // a failure and a root on view
    newton.Aprox(QStringLiteral("x^2-4"), 1);
    for (QWidget *window : std::initializer_list<QWidget *>{&evaluate, &newton, &about, &help})
        window->show();
    ASSERT_TRUE(QTest::qWaitFor([&help] { return !help.isReading(); }));
    const std::pair<const char *, QWidget *> all[] = {
        {"main", &shell.main}, {"wizard", wizard}, {"graph", graph}, {"evaluate", &evaluate},
        {"newton", &newton},   {"about", &about},  {"help", &help},  {"methods", methods}};
    QStringList topics, wizardTopics;
    SetHelpTopicHandler([&topics](QWidget *, const QString &topic) { topics << topic; });
    const auto f1 = [](QWidget *focus) { QTest::keyClick(focus, Qt::Key_F1); };
    for (const bool dark : {false, true}) {
        if (dark) {
            QApplication::setPalette(DarkDesktop());
            QApplication::processEvents(); // the windows take the new palette
        }
        for (int theme = 1; theme <= kThemeCount; ++theme) {
            for (int twice = 0; twice < 2; ++twice) // the checked entry again stays checked
                shell.main.themeEntry(theme)->trigger();
            EXPECT_TRUE(shell.main.themeEntry(theme)->isChecked());
            EXPECT_EQ(wizard->palette().color(QPalette::Window), CurrentThemeColours().background);
            for (int page = XPert::kFirstPage; page <= XPert::kLastPage; ++page) {
                for (const auto &[name, window] : all) {
                    if (page > XPert::kFirstPage && window != wizard)
                        continue;
                    SCOPED_TRACE(QStringLiteral("%1, theme %2, page %3, dark %4")
                                     .arg(name)
                                     .arg(theme)
                                     .arg(page)
                                     .arg(dark)
                                     .toStdString());
                    EXPECT_EQ(ContrastFailures(window), QStringList());
                    EXPECT_EQ(UnreachableControls(window), QStringList());
                }
                if (!dark && theme == 1) {
                    f1(wizard->findChild<QPushButton *>(QStringLiteral("cmdCancel")));
                    wizard->findChild<QPushButton *>(QStringLiteral("cmdHelp"))->click();
                    const QString topic = QStringLiteral("wizard.html#step%1").arg(page + 1);
                    wizardTopics << topic << topic;
                }
                // The next page, its fields passing their checks (the last warns of abs); after
                // the last, the first.
                for (const auto &[field, text] :
                     {std::pair{"Txt_fx", "abs(x)"}, {"Txt_a", "-3"}, {"Txt_b", "3"}})
                    wizard->findChild<QLineEdit *>(QLatin1String(field))->setText(text);
                const bool last = page == XPert::kLastPage;
                for (int i = 0; i < (last ? XPert::kLastPage : 1); ++i)
                    wizard->findChild<QPushButton *>(last ? "Page0" : "Page1")->click();
            }
        }
        // The theme made of the desktop's colours takes the dark ones too.
        EXPECT_EQ(evaluate.palette().color(QPalette::Window),
                  QApplication::palette().color(QPalette::Window));
    }
    EXPECT_EQ(shell.main.ShowWizard(), wizard); // one wizard only
    f1(evaluate.findChild<QLineEdit *>(QStringLiteral("Txt_X")));
    f1(newton.findChild<QPushButton *>(QStringLiteral("Cmd_Exit")));
    f1(&shell.main);
    SetHelpTopicHandler(nullptr);
    EXPECT_EQ(topics, wizardTopics + QStringList({"eval.htm", "aprox.html", ""}));

    // A focused button shows a frame in its text colour, even on the highlight's colour.
    shell.main.themeEntry(4)->trigger();
    evaluate.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&evaluate));
    auto *button = evaluate.findChild<QPushButton *>(QStringLiteral("Cmd_Exit"));
    const QImage plain = button->grab().toImage();
    button->setFocus(Qt::TabFocusReason);
    const QImage focused = button->grab().toImage();
    const QRgb text = button->palette().color(QPalette::ButtonText).rgb();
    int framed = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x)
            framed += plain.pixel(x, y) != focused.pixel(x, y) && focused.pixel(x, y) == text;
    }
    EXPECT_GT(framed, plain.width() / 2); // every other pixel of a dotted frame
}

// The list's rule: the newest first, each path once by its bytes, eight at most.
TEST(RecentProjects, NewestFirstOnceEachByItsBytesEightAtMost)
{
    const QStringList eight{"1", "2", "3", "4", "5", "6", "7", "8"};
    const QString latin1 = PathFromBytes("caf\xe9"), utf8 = PathFromBytes("caf\xc3\xa9");
    const std::tuple<const char *, QStringList, QString, QStringList> rows[] = {
        {"first", {}, "a", {"a"}},
        {"again", {"a", "b"}, "b", {"b", "a"}},
        {"a ninth", eight, "9", QStringList{"9"} + eight.mid(0, 7)},
        {"one of eight", eight, "5", {"5", "1", "2", "3", "4", "6", "7", "8"}},
        {"the same letters, other bytes", {latin1}, utf8, {utf8, latin1}},
    };
    test::ForEachCase(
        rows, [](auto, const QStringList &before, const QString &path, const QStringList &after) {
            EXPECT_EQ(WithRecentProject(before, path), after);
        });
}

// Projects opened and saved come back in a new main window, whatever their names hold; one
// that is gone is said and leaves the list (a full disk: SettingsFile's test).
TEST(RecentProjects, KeptInTheSettingsFileAndAMissingOneIsSaidAndDropped)
{
    const test::Folder folder;
    QStringList projects; // the newest first
    for (const char *name : {"plain.zvn", " lead\"quote;semi\\back.zvn", "line\nbreak.zvn",
                             "odd\xff\xfe.zvn", "a&b.zvn"}) {
        projects.prepend(PathFromBytes((folder.path / name).c_str()));
        ASSERT_EQ(SaveProjectFile(projects.front(), QStringLiteral("x-1"), 0, 2), QString());
    }
    test::Shell shell;
    for (qsizetype i = projects.size() - 1; i >= 1; --i)
        ASSERT_TRUE(shell.main.OpenProject(projects[i]));
    shell.OpenOn("x-1", 0, 2);
    shell.recorder.chosenFile = projects.front(); // the newest by saving
    shell.Entry("mnusaveproj")->trigger();
    EXPECT_TRUE(shell.main.findChild<QMenu *>("mnurecent")->isEnabled());
    const MainWindow next; // a new start reads the same list
    EXPECT_EQ(next.findChild<QMenu *>("mnurecent")->actions().first()->text(),
              "&1 " + QString(projects.front()).replace("&", "&&"));
    EXPECT_EQ(StoredRecentProjects(), projects);

    test::fs::remove(PathBytes(projects[2]).toStdString());
    shell.Entry("mnurecent3")->trigger();
    EXPECT_TRUE(shell.recorder.Boxes().value(0).contains(projects[2]));
    projects.removeAt(2);
    shell.Entry("mnurecent4")->trigger(); // opens, and comes first
    projects.move(3, 0);
    EXPECT_EQ(StoredRecentProjects(), projects);
    EXPECT_EQ(shell.recorder.Boxes().size(), 1);
}

} // namespace
} // namespace zv

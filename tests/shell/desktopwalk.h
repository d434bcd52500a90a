#pragma once

// Walks every widget of a window as Fusion paints it: each text in the colour role it is drawn
// with on the colour behind it, each focus frame and selection block against what surrounds it,
// and each control that the keyboard and assistive tools must reach.
#include "ui/linklabel.h"
#include "ui/themepalette.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

namespace zv::test {

// The widgets of window, without those of the child windows inside it (their frames stay).
inline QList<QWidget *> OwnWidgets(const QWidget *window)
{
    QList<QWidget *> own;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QWidget *up = w->parentWidget();
        while (up != window && !qobject_cast<const QMdiSubWindow *>(up))
            up = up->parentWidget();
        if (up == window)
            own << w;
    }
    return own;
}

// The colour a widget stands on: the nearest surface from widget up that paints one.
inline QColor Ground(const QWidget *widget)
{
    for (const QWidget *w = widget; w != nullptr; w = w->parentWidget()) {
        const QWidget *parent = w->parentWidget();
        if (const auto *area = qobject_cast<const QMdiArea *>(w))
            return area->background().color();
        if (qobject_cast<const QToolBar *>(w) || qobject_cast<const QMenuBar *>(w) ||
            qobject_cast<const QStatusBar *>(w))
            return w->palette().color(QPalette::Window);
        if (qobject_cast<const QStackedWidget *>(parent) &&
            qobject_cast<const QTabWidget *>(parent->parentWidget()))
            return parent->palette().color(QPalette::Button); // a tab's page
        if (const auto *view = qobject_cast<const QAbstractScrollArea *>(parent);
            view && view->viewport() == w)
            return w->palette().color(QPalette::Base);
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(w->backgroundRole());
    }
    return {};
}

// What fails in window (and its menus), one line each: "name: what ratio".
inline QStringList ContrastFailures(const QWidget *window)
{
    QStringList failures;
    const auto check = [&failures](const QWidget *w, const char *what, const QColor &one,
                                   const QColor &other, double floor) {
        const double ratio = ContrastRatio(one, other);
        if (ratio < floor) {
            failures << QStringLiteral("%1 %2 %3 on %4: %5")
                            .arg(w->objectName().isEmpty() ? w->metaObject()->className()
                                                           : w->objectName(),
                                 what, one.name(), other.name())
                            .arg(ratio, 0, 'f', 2);
        }
    };
    QList<const QWidget *> widgets{window};
    for (const QWidget *w : OwnWidgets(window))
        widgets << w;
    for (const QWidget *w : widgets) {
        const QPalette p = w->palette();
        const QColor around = Ground(w->parentWidget() ? w->parentWidget() : w);
        if (qobject_cast<const QMenu *>(w)) { // shown only when opened
            const auto group = QPalette::Active;
            check(w, "item", p.color(group, QPalette::Text), p.color(group, QPalette::Window),
                  kTextContrast);
            check(w, "chosen", p.color(group, QPalette::HighlightedText),
                  p.color(group, QPalette::Highlight), kTextContrast);
            continue;
        }
        if (!w->isVisibleTo(window) || !w->isEnabled())
            continue;
        const auto role = [&p](QPalette::ColorRole r) { return p.color(r); };
        if (const auto *label = qobject_cast<const QLabel *>(w); label && !label->text().isEmpty())
            check(w, "text", role(label->foregroundRole()), Ground(w), kTextContrast);
        if (qobject_cast<const QPushButton *>(w))
            check(w, "caption", role(QPalette::ButtonText), role(QPalette::Button), kTextContrast);
        if (const auto *tool = qobject_cast<const QToolButton *>(w))
            check(w, "caption", role(QPalette::ButtonText),
                  tool->autoRaise() ? around : role(QPalette::Button), kTextContrast);
        if (qobject_cast<const QCheckBox *>(w) || qobject_cast<const QRadioButton *>(w))
            check(w, "caption", role(QPalette::WindowText), around, kTextContrast);
        if (qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractItemView *>(w) ||
            qobject_cast<const QTextEdit *>(w)) {
            check(w, "text", role(QPalette::Text), role(QPalette::Base), kTextContrast);
            check(w, "selected", role(QPalette::HighlightedText), role(QPalette::Highlight),
                  kTextContrast);
        }
        if (qobject_cast<const QAbstractItemView *>(w))
            check(w, "selection", role(QPalette::Highlight), role(QPalette::Base), kMarkContrast);
        if (qobject_cast<const QTabBar *>(w))
            check(w, "tab", role(QPalette::WindowText), role(QPalette::Button), kTextContrast);
        if (qobject_cast<const QMenuBar *>(w)) {
            check(w, "menu", role(QPalette::ButtonText), role(QPalette::Window), kTextContrast);
            check(w, "open menu", role(QPalette::HighlightedText), role(QPalette::Highlight),
                  kTextContrast);
        }
        if (qobject_cast<const QMdiSubWindow *>(w)) { // Fusion writes titles white or black
            check(w, "title", Qt::white, p.color(QPalette::Active, QPalette::Highlight),
                  kTextContrast);
            check(w, "inactive title", Qt::black, p.color(QPalette::Inactive, QPalette::Window),
                  kTextContrast);
        }
        // The frame that shows the focus: around a field in a shade of the highlight; inside a
        // button or tab, and around a link, in its text colour (ShowFocusClearly). A list shows
        // its current item as the selection, a tab widget hands the focus to its tabs.
        const bool framed = !qobject_cast<const QAbstractScrollArea *>(w) &&
                            !qobject_cast<const QTabWidget *>(w) && w != window;
        const bool onFace =
            qobject_cast<const QPushButton *>(w) || qobject_cast<const QTabBar *>(w);
        if ((w->focusPolicy() & Qt::TabFocus) && framed) {
            if (qobject_cast<const QLineEdit *>(w))
                check(w, "focus frame", FocusFrameColour(role(QPalette::Highlight)), around,
                      kMarkContrast);
            else
                check(w, "focus frame", role(w->foregroundRole()),
                      onFace ? role(QPalette::Button) : Ground(w), kMarkContrast);
        }
    }
    return failures;
}

// The controls of window that the keyboard or assistive tools cannot reach: acting on a click
// but out of the Tab chain (a tool button with a shortcut is reached by it), or focusable
// without a name and a description that assistive tools read.
inline QStringList UnreachableControls(QWidget *window)
{
    QStringList failures;
    for (QWidget *w : OwnWidgets(window)) {
        if (!w->isVisibleTo(window) || !w->isEnabled())
            continue;
        const QString name =
            w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName();
        const auto *tool = qobject_cast<const QToolButton *>(w);
        const bool clickable =
            qobject_cast<const QAbstractButton *>(w) || qobject_cast<const LinkLabel *>(w) ||
            qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractItemView *>(w);
        const bool byShortcut =
            tool && tool->defaultAction() && !tool->defaultAction()->shortcut().isEmpty();
        if (clickable && !(w->focusPolicy() & Qt::TabFocus) && !byShortcut)
            failures << name + QStringLiteral(" out of the Tab chain");
        QAccessibleInterface *control = QAccessible::queryAccessibleInterface(w);
        if (control == nullptr || !control->state().focusable)
            continue;
        if (control->text(QAccessible::Name).isEmpty())
            failures << name + QStringLiteral(" without an accessible name");
        // A row of tabs is described by its tabs (Qt reads no description of the row).
        QList<QAccessibleInterface *> described{control};
        if (control->role() == QAccessible::PageTabList) {
            described.clear();
            for (int i = 0; i < control->childCount(); ++i) {
                if (control->child(i)->role() == QAccessible::PageTab)
                    described << control->child(i);
            }
        }
        for (const QAccessibleInterface *part : described) {
            if (part->text(QAccessible::Description).isEmpty())
                failures << name + QStringLiteral(" without an accessible description");
        }
    }
    return failures;
}

} // namespace zv::test

#pragma once

#include "shell/appearance.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <optional>

class QAction;
class QMdiArea;
class QMenu;

namespace zv {

class GraphWindow;
class HelpViewer;
class MethodsWindow;
struct PlotOverlay;
class RecentProjectsMenu;
class XPert;

// The program's frame: a multiple-document window whose children are the graph windows. Owns
// the menus, opens graph windows for projects and asks before the program ends.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Reads the stored theme, checks its Background entry and colours the window; says so in a
    // box when the settings file cannot be read.
    void LoadAppearance();
    // The Background entries' handler: theme k (1..6) for every window, kept in the settings.
    void SelectTheme(int k);

    // Opens a graph window on PendingGraph, numbered with the increased GraphWindowCount; the
    // caption is "Zerovane #" and the number, followed by captionSuffix.
    GraphWindow *OpenGraphWindow(const QString &captionSuffix = {});
    // Reads a project into a new graph window, first among the recent projects; false (after
    // the reader's message) on failure.
    bool OpenProject(const QString &path);
    // A Recent projects entry: opens the project, or says that it is gone and drops it.
    void OpenRecentProject(const QString &path);

    // The viewer that the Help and Index entries open; without one they do nothing.
    void SetHelpViewer(HelpViewer *viewer);
    // Shows the one wizard inside the frame, not modal (a new one when none is open) and
    // makes it the active child window.
    XPert *ShowWizard();
    // Closes the wizard, when one is open, without its exit question.
    void CloseWizard();
    XPert *Wizard() const; // nullptr when none is open

    // The Examples entries' handler: closes the wizard, then opens sample k (1..7), as it is
    // written, in a new graph window captioned as a sample.
    void SelectExample(int k);

    // The Evaluate and Newton windows, modal, on a function (the active graph window's, or
    // empty). With x0, the Newton window opens with the search from x0 already run.
    void OpenEvaluate(const QString &function);
    void OpenNewton(const QString &function, std::optional<double> x0 = std::nullopt);
    // The Compare methods window, on the active graph window's function and interval (or
    // empty); not modal, one at a time.
    MethodsWindow *OpenMethods();
    // A step of the compared method over a graph of the compared equation: the graph window that
    // shows the steps already, else the active one or another open one of that function, else a
    // new one on the compared interval. An empty overlay clears it.
    void ShowMethodStep(const PlotOverlay &overlay);

    // The graph window the Save command works on, or nullptr.
    GraphWindow *ActiveGraphWindow() const;
    QMdiArea *mdiArea() const { return m_mdiArea; }
    QAction *themeEntry(int k) const; // nullptr outside 1..kThemeCount

    // Opens a project the user chose (dialog or drop), as the Open command does.
    void OpenChosenProject(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;
    // Project files dropped on the window open as Open would open each; nothing else is taken.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The menus (mainmenus.cpp).
    void CreateMenus();
    // Greys what has nothing to act on; runs whenever that may change.
    void UpdateMenus();
    QAction *AddEntry(QMenu *menu, const QString &name, const char *caption,
                      const QKeySequence &shortcut = {});
    void FillWindowList();
    void CheckThemeEntry();
    void ShowGrid(bool shown);

    QString ActiveFunction() const;
    void mnuopen_Click();
    void mnusaveproj_Click();
    void mnuajutor_Click();
    void mnuindex_Click();
    void mnuabout_Click();

    QMdiArea *m_mdiArea = nullptr;
    QMenu *m_mainMenu = nullptr;
    QAction *m_windowListStart = nullptr; // entries after this separator list the windows
    QAction *m_saveEntry = nullptr;
    QAction *m_contentsEntry = nullptr;
    QAction *m_indexEntry = nullptr;
    QMenu *m_recentMenu = nullptr;
    RecentProjectsMenu *m_recent = nullptr;
    std::array<QAction *, kThemeCount> m_themeEntries{};
    QAction *m_print = nullptr; // greyed without a graph window
    QAction *m_grid = nullptr;
    QPointer<HelpViewer> m_helpViewer;
    QPointer<XPert> m_wizard;
    QPointer<MethodsWindow> m_methods;
    QPointer<GraphWindow> m_stepsShownOn; // the graph window the method's steps are drawn on
};

} // namespace zv

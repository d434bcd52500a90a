// The main window's menu bar: its entries, the window list, the theme check mark and the one
// place that decides which commands have something to act on.
#include "shell/mainwindow.h"

#include "graph/graphwindow.h"
#include "helpviewer/helpviewer.h"
#include "shell/appearance.h"
#include "shell/recentprojects.h"
#include "shell/sampleequations.h"
#include "shell/weblinks.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

namespace zv {

namespace {

const char *const kThemeCaptions[kThemeCount] = {"&Light Blue", "&Grey",      "&Smooth paste",
                                                 "&Blue :q)",   "&Classical", "S&ystem"};

} // namespace

QAction *MainWindow::AddEntry(QMenu *menu, const QString &name, const char *caption,
                              const QKeySequence &shortcut)
{
    QAction *entry = menu->addAction(QString::fromUtf8(caption));
    entry->setObjectName(name);
    entry->setShortcut(shortcut);
    return entry;
}

void MainWindow::CreateMenus()
{
    QMenuBar *bar = menuBar();

    m_mainMenu = bar->addMenu(QStringLiteral("&Main"));
    m_mainMenu->setObjectName(QStringLiteral("mnumain"));
    QAction *open = AddEntry(m_mainMenu, "mnuopen", "&Open a project", Qt::CTRL | Qt::Key_D);
    connect(open, &QAction::triggered, this, &MainWindow::mnuopen_Click);
    m_recentMenu = m_mainMenu->addMenu(QStringLiteral("&Recent projects"));
    m_recentMenu->setObjectName(QStringLiteral("mnurecent"));
    m_recent = new RecentProjectsMenu(m_recentMenu,
                                      [this](const QString &path) { OpenRecentProject(path); });
    connect(m_recent, &RecentProjectsMenu::changed, this, &MainWindow::UpdateMenus);
    m_saveEntry = AddEntry(m_mainMenu, "mnusaveproj", "&Save the project", Qt::CTRL | Qt::Key_S);
    connect(m_saveEntry, &QAction::triggered, this, &MainWindow::mnusaveproj_Click);
    m_print = AddEntry(m_mainMenu, "mnuprint", "&Print...", QKeySequence::Print);
    connect(m_print, &QAction::triggered, this, [this] {
        if (GraphWindow *window = ActiveGraphWindow())
            window->Print();
    });
    m_mainMenu->addSeparator()->setObjectName(QStringLiteral("mnuspace1"));
    QAction *wizard = AddEntry(m_mainMenu, "mnuwizard", "&Zerovane Wizard", Qt::CTRL | Qt::Key_A);
    connect(wizard, &QAction::triggered, this, &MainWindow::ShowWizard);
    QAction *exit = AddEntry(m_mainMenu, "mnuexit", "&Exit");
    connect(exit, &QAction::triggered, this, &QWidget::close);
    m_windowListStart = m_mainMenu->addSeparator();
    m_windowListStart->setVisible(false);
    connect(m_mainMenu, &QMenu::aboutToShow, this, &MainWindow::FillWindowList);

    QMenu *calculate = bar->addMenu(QStringLiteral("&Calculate"));
    calculate->setObjectName(QStringLiteral("mnuWindow"));
    QAction *evaluate = AddEntry(calculate, "mnueval", "&Evaluate", Qt::CTRL | Qt::Key_E);
    connect(evaluate, &QAction::triggered, this, [this] { OpenEvaluate(ActiveFunction()); });
    QAction *approximate =
        AddEntry(calculate, "mnuaproximare", "&Approximate", Qt::CTRL | Qt::Key_X);
    connect(approximate, &QAction::triggered, this, [this] { OpenNewton(ActiveFunction()); });
    QAction *methods = AddEntry(calculate, "mnumethods", "&Compare methods", Qt::CTRL | Qt::Key_M);
    connect(methods, &QAction::triggered, this, &MainWindow::OpenMethods);

    QMenu *options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuoptions"));
    QMenu *background = options->addMenu(QStringLiteral("&Background"));
    background->setObjectName(QStringLiteral("mnuback"));
    for (int k = 1; k <= kThemeCount; ++k) {
        QAction *entry =
            AddEntry(background, QStringLiteral("mnubk%1").arg(k), kThemeCaptions[k - 1]);
        entry->setCheckable(true);
        connect(entry, &QAction::triggered, this, [this, k] { SelectTheme(k); });
        m_themeEntries[static_cast<size_t>(k - 1)] = entry;
    }
    m_grid = AddEntry(options, "mnugrid", "&Grid and scale");
    m_grid->setCheckable(true);
    connect(m_grid, &QAction::triggered, this, &MainWindow::ShowGrid);

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuhelp"));
    m_contentsEntry = AddEntry(help, "mnuajutor", "&Help", Qt::CTRL | Qt::Key_F1);
    connect(m_contentsEntry, &QAction::triggered, this, &MainWindow::mnuajutor_Click);
    m_indexEntry = AddEntry(help, "mnuindex", "&Index");
    connect(m_indexEntry, &QAction::triggered, this, &MainWindow::mnuindex_Click);
    QAction *about = AddEntry(help, "mnuabout", "&About Zerovane");
    connect(about, &QAction::triggered, this, &MainWindow::mnuabout_Click);
    help->addSeparator()->setObjectName(QStringLiteral("mnuspace2"));
    AddWebPageEntries(help, BuiltWebPages(), this);
    help->addSeparator()->setObjectName(QStringLiteral("mnuspace3"));
    QMenu *examples = help->addMenu(QStringLiteral("&Examples"));
    examples->setObjectName(QStringLiteral("mnuexemple"));
    for (int k = 1; k <= static_cast<int>(kSampleEquations.size()); ++k) {
        const SampleEquation &sample = kSampleEquations[static_cast<size_t>(k - 1)];
        QAction *entry = AddEntry(examples, QStringLiteral("mnue%1").arg(k), sample.caption,
                                  Qt::SHIFT | static_cast<Qt::Key>(Qt::Key_F1 + k - 1));
        connect(entry, &QAction::triggered, this, [this, k] { SelectExample(k); });
    }

    // The active child window decides what Save acts on; closing the last one activates none.
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MainWindow::UpdateMenus);
    UpdateMenus();
}

void MainWindow::UpdateMenus()
{
    // Commands with nothing to act on are greyed: Save and Print without a graph window, the
    // help without its file, the recent projects while there are none.
    m_saveEntry->setEnabled(ActiveGraphWindow() != nullptr);
    m_print->setEnabled(ActiveGraphWindow() != nullptr);
    m_contentsEntry->setEnabled(m_helpViewer != nullptr);
    m_indexEntry->setEnabled(m_helpViewer != nullptr);
    m_recentMenu->setEnabled(!m_recent->projects().isEmpty());
}

void MainWindow::FillWindowList()
{
    const QList<QAction *> entries = m_mainMenu->actions();
    for (qsizetype i = entries.indexOf(m_windowListStart) + 1; i < entries.size(); ++i) {
        m_mainMenu->removeAction(entries[i]);
        entries[i]->deleteLater();
    }
    const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList();
    m_windowListStart->setVisible(!windows.isEmpty());
    const QMdiSubWindow *current = m_mdiArea->currentSubWindow();
    for (qsizetype i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *window = windows[i];
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        QAction *entry = m_mainMenu->addAction(number + QLatin1Char(' ') + window->windowTitle());
        entry->setCheckable(true);
        entry->setChecked(window == current);
        connect(entry, &QAction::triggered, m_mdiArea,
                [this, window] { m_mdiArea->setActiveSubWindow(window); });
    }
}

QAction *MainWindow::themeEntry(int k) const
{
    if (k < 1 || k > kThemeCount)
        return nullptr;
    return m_themeEntries[static_cast<size_t>(k - 1)];
}

void MainWindow::CheckThemeEntry()
{
    // Exactly the entry of the theme in force, or none for a stored number without an entry.
    for (int k = 1; k <= kThemeCount; ++k)
        themeEntry(k)->setChecked(k == ForeItem());
}

} // namespace zv

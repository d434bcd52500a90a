#include "shell/mainwindow.h"

#include "graph/graphwindow.h"
#include "helpviewer/helpviewer.h"
#include "shell/aboutwindow.h"
#include "shell/appearance.h"
#include "shell/helpfile.h"
#include "shell/pendinggraph.h"
#include "shell/projectfile.h"
#include "shell/recentprojects.h"
#include "shell/sampleequations.h"
#include "shell/viewsettings.h"
#include "tools/evaluare.h"
#include "tools/methodswindow.h"
#include "tools/newton.h"
#include "tools/xpert.h"
#include "ui/filedialog.h"
#include "ui/focusframestyle.h"
#include "ui/messagebox.h"
#include "ui/messagetextq.h"
#include "ui/palettekeeper.h"
#include "ui/plotoverlay.h"
#include "ui/systempath.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace zv {

namespace {

// Room for a cascade of graph windows of about 520 x 420 below the menu bar.
constexpr QSize kDefaultSize(800, 600);

// Projects live by default in "Projects" beside the executable; without that folder the
// dialog opens wherever the platform puts it.
QString ProjectFolder()
{
    const QString folder = QDir(QCoreApplication::applicationDirPath()).filePath("Projects");
    return QFileInfo(folder).isDir() ? folder : QString();
}

FileDialogRequest ProjectDialog(FileDialogMode mode, int titleIndex)
{
    FileDialogRequest request;
    request.mode = mode;
    request.title = MessageTextQ(titleIndex);
    request.filter = QtFileFilter(MessageTextQ(5));
    request.defaultSuffix = QStringLiteral("zvn");
    request.folder = ProjectFolder();
    return request;
}

// The local project files of a drop, or nothing when anything else is part of it.
QStringList DroppedProjects(const QMimeData *data)
{
    QStringList paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        // The URL keeps a name's bytes percent-encoded; toLocalFile() would lose those that
        // are not UTF-8. A file on another host is no local project.
        const bool local = url.isLocalFile() && (url.host().isEmpty() || url.host() == "localhost");
        const QString path = local ? PathFromBytes(QByteArray::fromPercentEncoding(
                                         url.path(QUrl::FullyEncoded).toLatin1()))
                                   : QString();
        if (path.isEmpty() || !path.endsWith(QStringLiteral(".zvn"), Qt::CaseInsensitive))
            return {};
        paths << path;
    }
    return paths;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_mdiArea(new QMdiArea(this))
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Zerovane"));
    m_mdiArea->setObjectName(QStringLiteral("MDIClient"));
    setCentralWidget(m_mdiArea);
    setAcceptDrops(true);
    CreateMenus();
    resize(kDefaultSize);
    // The windows take their theme again when the desktop's colours change (light to dark):
    // "System" and "Blue :q)" are made of them.
    KeepPaletteReadable(this, [] { ApplyThemeToAllWindows(); });
    ShowFocusClearly();
}

MainWindow::~MainWindow()
{
    // The child windows close as the document area goes, after this window has ceased to be one:
    // their activation must not reach it.
    disconnect(m_mdiArea, nullptr, this, nullptr);
}

void MainWindow::LoadAppearance()
{
    const QString failure = LoadAppearanceSettings();
    CheckThemeEntry();
    ApplyThemeToAllWindows();
    if (!failure.isEmpty())
        ShowMessage(this, failure, QStringLiteral("Your colours could not be read."),
                    MessageIcon::Exclamation);
    m_grid->setChecked(ReadGridShown());
}

void MainWindow::ShowGrid(bool shown)
{
    for (QMdiSubWindow *frame : m_mdiArea->subWindowList()) {
        if (auto *graph = qobject_cast<GraphWindow *>(frame->widget()))
            graph->SetGridShown(shown);
    }
    const QString failure = StoreGridShown(shown);
    if (!failure.isEmpty())
        ShowMessage(this, failure,
                    QStringLiteral("Your choice could not be kept for the next start."),
                    MessageIcon::Exclamation);
}

void MainWindow::SelectTheme(int k)
{
    QString failure;
    const bool changed = ChooseTheme(k, &failure);
    // A click toggles the entry itself; choosing the checked one again must leave it checked.
    CheckThemeEntry();
    if (!changed)
        return;
    ApplyThemeToAllWindows();
    if (m_methods)
        m_methods->SetColours(CurrentThemeColours());
    if (!failure.isEmpty())
        ShowMessage(this, failure,
                    QStringLiteral("Your colours could not be kept for the next start."),
                    MessageIcon::Exclamation);
}

GraphWindow *MainWindow::OpenGraphWindow(const QString &captionSuffix)
{
    ++GraphWindowCount();
    auto *window = new GraphWindow(PendingGraph());
    QMdiSubWindow *frame = m_mdiArea->addSubWindow(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setAccessibleDescription(
        QStringLiteral("A graph window: the plot of an equation and the roots on its interval."));
    window->setWindowTitle(QStringLiteral("Zerovane #") + QString::number(GraphWindowCount()) +
                           captionSuffix);
    ColourGraphWindow(window, CurrentThemeColours());
    window->SetGridShown(m_grid->isChecked());
    // The tool windows that a graph window asks for work on its own function.
    connect(window, &GraphWindow::evaluateRequested, this,
            [this, window] { OpenEvaluate(window->Get_f()); });
    connect(window, &GraphWindow::approximateRequested, this,
            [this, window](double x) { OpenNewton(window->Get_f(), x); });
    // Closing a window that is not the active one activates no other.
    connect(frame, &QObject::destroyed, this, &MainWindow::UpdateMenus, Qt::QueuedConnection);
    window->show();
    UpdateMenus(); // a hidden frame activates nothing
    return window;
}

XPert *MainWindow::ShowWizard()
{
    // A wizard that has closed but is not yet deleted counts as gone.
    if (m_wizard == nullptr || m_wizard->parentWidget()->isHidden()) {
        auto *wizard = new XPert;
        connect(wizard, &XPert::finished, this, [this](const GraphEquation &equation) {
            PendingGraph() = equation;
            OpenGraphWindow();
        });
        // Its size is fixed: a frame without a maximise button.
        QMdiSubWindow *frame = m_mdiArea->addSubWindow(
            wizard, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                        Qt::WindowCloseButtonHint);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->setAccessibleDescription(
            QStringLiteral("The wizard: four steps to an equation and its interval."));
        wizard->SetColours(CurrentThemeColours());
        m_wizard = wizard;
    }
    auto *frame = qobject_cast<QMdiSubWindow *>(m_wizard->parentWidget());
    frame->showNormal();
    m_mdiArea->setActiveSubWindow(frame);
    return m_wizard;
}

XPert *MainWindow::Wizard() const
{
    return m_wizard;
}

void MainWindow::CloseWizard()
{
    if (m_wizard)
        m_wizard->CloseWithoutQuestion();
}

void MainWindow::SelectExample(int k)
{
    CloseWizard();
    if (k < 1 || k > static_cast<int>(kSampleEquations.size()))
        return;
    const SampleEquation &sample = kSampleEquations[static_cast<size_t>(k - 1)];
    PendingGraph() = GraphEquation{QString::fromLatin1(sample.function), sample.a, sample.b};
    OpenGraphWindow(MessageTextQ(3));
}

QString MainWindow::ActiveFunction() const
{
    const GraphWindow *window = ActiveGraphWindow();
    return window != nullptr ? window->Get_f() : QString();
}

void MainWindow::OpenEvaluate(const QString &function)
{
    Evaluare window(function, this);
    window.SetColours(CurrentThemeColours());
    window.exec();
}

void MainWindow::OpenNewton(const QString &function, std::optional<double> x0)
{
    Newton window(function, this);
    window.SetColours(CurrentThemeColours());
    if (x0)
        window.Aprox(function, *x0);
    window.exec();
}

MethodsWindow *MainWindow::OpenMethods()
{
    // One window, not modal: asked again, it comes to the front as it is.
    if (m_methods == nullptr) {
        const GraphWindow *graph = ActiveGraphWindow();
        std::optional<std::pair<double, double>> interval;
        if (graph != nullptr)
            interval = std::pair{graph->Get_a(), graph->Get_b()};
        m_methods =
            new MethodsWindow(graph != nullptr ? graph->Get_f() : QString(), interval, this);
        m_methods->setAttribute(Qt::WA_DeleteOnClose);
        m_methods->SetColours(CurrentThemeColours());
        connect(m_methods, &MethodsWindow::overlayRequested, this, &MainWindow::ShowMethodStep);
    }
    m_methods->show();
    m_methods->raise();
    m_methods->activateWindow();
    return m_methods;
}

void MainWindow::ShowMethodStep(const PlotOverlay &overlay)
{
    if (m_methods == nullptr)
        return;
    const GraphEquation equation = m_methods->ComparedEquation();
    // Steps of another function (the comparison changed) do not belong on that graph.
    if (m_stepsShownOn != nullptr && m_stepsShownOn->Get_f() != equation.function) {
        m_stepsShownOn->SetOverlay(PlotOverlay{});
        m_stepsShownOn = nullptr;
    }
    if (m_stepsShownOn == nullptr) {
        if (overlay.IsEmpty())
            return;
        QList<GraphWindow *> graphs;
        if (GraphWindow *active = ActiveGraphWindow())
            graphs << active;
        for (QMdiSubWindow *frame : m_mdiArea->subWindowList()) {
            if (auto *graph = qobject_cast<GraphWindow *>(frame->widget()))
                graphs << graph;
        }
        const auto same = std::find_if(graphs.begin(), graphs.end(), [&](GraphWindow *graph) {
            return graph->Get_f() == equation.function;
        });
        if (same != graphs.end()) {
            m_stepsShownOn = *same;
        } else {
            PendingGraph() = equation;
            m_stepsShownOn = OpenGraphWindow();
        }
    }
    m_stepsShownOn->SetOverlay(overlay);
}

bool MainWindow::OpenProject(const QString &path)
{
    if (!ReadProject(path, this))
        return false;
    OpenGraphWindow();
    m_recent->Add(path);
    return true;
}

void MainWindow::OpenRecentProject(const QString &path)
{
    if (!PathExists(path)) {
        ShowMessage(this,
                    MessageTextQ(7) + QStringLiteral("\n\n%1\nis no longer there; it leaves the "
                                                     "recent projects.")
                                          .arg(QDir::toNativeSeparators(path)),
                    MessageTextQ(9), MessageIcon::Exclamation);
        m_recent->Remove(path);
        return;
    }
    OpenProject(path);
}

GraphWindow *MainWindow::ActiveGraphWindow() const
{
    // The current window stays current while the frame itself is inactive (a dialog is up).
    QMdiSubWindow *frame = m_mdiArea->currentSubWindow();
    return frame != nullptr ? qobject_cast<GraphWindow *>(frame->widget()) : nullptr;
}

void MainWindow::mnuopen_Click()
{
    const QString path = ChooseFile(this, ProjectDialog(FileDialogMode::Open, 4));
    if (path.isEmpty())
        return;
    OpenChosenProject(path);
}

void MainWindow::OpenChosenProject(const QString &path)
{
    OpenProject(TypedProjectPath(path));
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    // Refused drags keep the platform's forbidden cursor.
    if (!DroppedProjects(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent *event)
{
    if (!DroppedProjects(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QStringList paths = DroppedProjects(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    for (const QString &path : paths)
        OpenChosenProject(path);
}

void MainWindow::mnusaveproj_Click()
{
    if (ActiveGraphWindow() == nullptr) {
        ShowMessage(this, MessageTextQ(10), MessageTextQ(9), MessageIcon::Exclamation);
        return;
    }
    const QString path = ChooseFile(this, ProjectDialog(FileDialogMode::Save, 11));
    if (path.isEmpty())
        return;
    // The window may have closed while the dialog was up.
    const GraphWindow *window = ActiveGraphWindow();
    if (window == nullptr)
        return;
    const QString failure =
        SaveProjectFile(path, window->Get_f(), window->Get_a(), window->Get_b());
    if (!failure.isEmpty())
        ShowMessage(this, failure, MessageTextQ(12), MessageIcon::Exclamation);
    else
        m_recent->Add(path);
}

void MainWindow::SetHelpViewer(HelpViewer *viewer)
{
    m_helpViewer = viewer;
    UpdateMenus();
}

void MainWindow::mnuajutor_Click()
{
    if (m_helpViewer)
        m_helpViewer->ShowHelpContents(QString::fromLatin1(kHelpWindowName), this);
}

void MainWindow::mnuindex_Click()
{
    if (m_helpViewer)
        m_helpViewer->ShowHelpIndex(QString::fromLatin1(kHelpWindowName), this);
}

void MainWindow::mnuabout_Click()
{
    // Modal for the user, while the menu's handler returns at once.
    auto *about = new AboutWindow(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setWindowModality(Qt::ApplicationModal);
    about->show();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (ShowMessage(this, MessageTextQ(1), MessageTextQ(2), MessageIcon::Question,
                    MessageButtons::YesNo) != MessageAnswer::Yes) {
        event->ignore();
        return;
    }
    // The wizard goes with the program without asking its own question.
    CloseWizard();
    m_mdiArea->closeAllSubWindows();
    // Tool windows are top-level windows of their own; they end with the program.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && window->windowType() != Qt::Popup)
            window->close();
    }
    event->accept();
}

} // namespace zv

#include "graph/graphwindow.h"

#include "engine/errortext.h"
#include "graph/graphwindowprivate.h"
#include "graph/plotarea.h"
#include "graph/plotdescription.h"
#include "graph/workinprogress.h"
#include "ui/messagetextq.h"
#include "ui/themepalette.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>

namespace zv {

namespace {

constexpr int kIntervalDecimals = 6;
constexpr int kTimeDecimals = 3;
// Lbl_root while a long root scan runs, and after one the user stopped.
const char *const kScanningNotice = "Looking for roots...\nEsc stops the search.";
const char *const kStoppedNotice = "Stopped: partial list.";

QString ElapsedText(const QElapsedTimer &timer)
{
    const double seconds = static_cast<double>(timer.elapsed()) * 0.001;
    return NumberText(seconds, kTimeDecimals, DecimalSeparator()) + MessageTextQ(28);
}

} // namespace

GraphWindow::GraphWindow(const GraphEquation &equation, QWidget *parent)
    : QWidget(parent)
    , m_state(new State(equation))
{
    BuildControls();
    ConnectSaveButton();
    ConnectCopy();
    Load();
    // The wrapping label beside the plot would make showing the window take the height it
    // wants for its width rather than sizeHint's.
    resize(sizeHint());
}

GraphWindow::~GraphWindow()
{
    QObject::disconnect(m_state->subWindowActivation);
    QObject::disconnect(m_state->focusFollowing);
    delete m_state;
}

QString GraphWindow::Get_f() const
{
    return QString::fromStdU16String(m_state->document.Function());
}

double GraphWindow::Get_a() const
{
    return m_state->document.View().a;
}

double GraphWindow::Get_b() const
{
    return m_state->document.View().b;
}

double GraphWindow::YMin() const
{
    return m_state->document.View().yMin;
}

double GraphWindow::YMax() const
{
    return m_state->document.View().yMax;
}

int GraphWindow::Precision() const
{
    return m_state->document.Precision();
}

const GraphDocument &GraphWindow::Document() const
{
    return m_state->document;
}

QString GraphWindow::PanelText(int index) const
{
    if (index < 1 || index > 3) {
        return {};
    }
    return m_state->panels[index - 1]->text();
}

void GraphWindow::SetPanelText(int index, const QString &text)
{
    if (index < 1 || index > 3) {
        return;
    }
    QLabel *panel = m_state->panels[index - 1];
    if (panel->text().compare(text, Qt::CaseInsensitive) == 0) {
        return;
    }
    panel->setText(text);
    if (index == 2) {
        m_state->lbl2->setText(text);
    } else if (index == 3) {
        m_state->lbl3->setText(text);
    }
}

void GraphWindow::SetColours(const ThemeColours &colours)
{
    m_state->colours = colours;
    Activate();
}

void GraphWindow::SetGridShown(bool shown)
{
    m_state->gridShown = shown;
    ShowScene();
}

void GraphWindow::SetOverlay(const PlotOverlay &overlay)
{
    m_state->overlay = overlay;
    ShowScene();
}

PlotScene GraphWindow::Scene() const
{
    const State &s = *m_state;
    PlotScene scene = SceneOf(s.document);
    scene.gridShown = s.gridShown;
    scene.overlay = s.overlay;
    scene.backdrop = s.backdrop;
    scene.backdropPicture = s.backdropPicture;
    return scene;
}

void GraphWindow::ShowScene()
{
    m_state->picture->SetScene(Scene());
}

void GraphWindow::DescribePlot()
{
    m_state->picture->setAccessibleDescription(
        QString::fromStdU16String(PlotDescription(m_state->document, DecimalSeparator())));
}

void GraphWindow::Load()
{
    // The document starts with the standard vertical range at precision 100.
    SetPanelText(1, MessageTextQ(33));
    ShowIntervalPanels(m_state->document.View());
    DrawGraph();
    FindRoots();
}

void GraphWindow::ShowIntervalPanels(const ViewExtent &view)
{
    const char16_t separator = DecimalSeparator();
    SetPanelText(2, QStringLiteral("a = ") + NumberText(view.a, kIntervalDecimals, separator));
    SetPanelText(3, QStringLiteral("b = ") + NumberText(view.b, kIntervalDecimals, separator));
}

bool GraphWindow::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
        FollowSubWindowActivation();
        break;
    case QEvent::WindowActivate:
        // A graph window on its own (outside a main window) becomes active like any window.
        if (isWindow()) {
            Activate();
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void GraphWindow::FollowSubWindowActivation()
{
    auto *subWindow = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (subWindow == m_state->subWindow) {
        return;
    }
    QObject::disconnect(m_state->subWindowActivation);
    m_state->subWindow = subWindow;
    if (!subWindow) {
        return;
    }
    m_state->subWindowActivation = connect(
        subWindow, &QMdiSubWindow::windowStateChanged, this,
        [this](Qt::WindowStates oldState, Qt::WindowStates newState) {
            if (newState.testFlag(Qt::WindowActive) && !oldState.testFlag(Qt::WindowActive)) {
                Activate();
            }
        });
}

void GraphWindow::Activate()
{
    State &s = *m_state;
    if (!s.colours.background.isValid())
        return; // not told any colours yet
    // The theme's pair as every window shows it: a background deepened in its own hue, or black
    // or white text, where the pair would not read.
    const ThemeColours readable = ReadableColours(s.colours);
    const QColor background = readable.background;
    const QColor foreground = readable.foreground;

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, foreground); // also the plot's focus frame
    setPalette(palette);
    setAutoFillBackground(true);

    // The selected root in inverted colours, as in every list of the program.
    SetListColours(s.lstRoot, readable);

    // Text colour for every control that writes on the window's or its own themed surface.
    // The plot draws in fixed colours; buttons, tool bar and status bar paint their own faces
    // in system colours and keep their text colour with them.
    for (QWidget *control : {static_cast<QWidget *>(s.lstRoot), static_cast<QWidget *>(s.lblRoot),
                             static_cast<QWidget *>(s.lbl2), static_cast<QWidget *>(s.lbl3),
                             static_cast<QWidget *>(s.label7)}) {
        QPalette textPalette = control->palette();
        textPalette.setColor(QPalette::WindowText, foreground);
        textPalette.setColor(QPalette::Text, foreground);
        control->setPalette(textPalette);
    }
}

QRectF GraphWindow::FocusFrame(const QWidget *control) const
{
    // Two units off the control, in the margin around it.
    return QRectF(control->geometry()).adjusted(-3, -3, 3, 3);
}

void GraphWindow::paintEvent(QPaintEvent *)
{
    // The plot and the list have no focus mark of their own that shows in every theme; the
    // frame takes the window's text colour, which reads on its background in each.
    for (const QWidget *control :
         {static_cast<QWidget *>(m_state->picture), static_cast<QWidget *>(m_state->lstRoot)}) {
        if (control->hasFocus()) {
            QPainter painter(this);
            painter.setPen(QPen(palette().color(QPalette::WindowText), 2));
            painter.drawRect(FocusFrame(control));
        }
    }
}

void GraphWindow::mouseMoveEvent(QMouseEvent *event)
{
    // Moves that reach the window from a control it holds are not over its own surface.
    if (childAt(event->position().toPoint()) == nullptr) {
        SetPanelText(1, MessageTextQ(34));
        ShowIntervalPanels(m_state->document.View());
        setCursor(Qt::ArrowCursor);
    }
    QWidget::mouseMoveEvent(event);
}

void GraphWindow::DrawGraph()
{
    DrawFrame(m_state->document.View(), m_state->document.Precision());
}

void GraphWindow::DrawFrame(const ViewExtent &frame, int precision)
{
    State &s = *m_state;
    QElapsedTimer timer;
    timer.start();
    s.document.DrawFrame(frame, precision);
    ShowScene();

    QString caption = ElapsedText(timer);
    if (s.document.Drawn().TooSmall()) {
        caption += QLatin1Char('\n') + MessageTextQ(29);
    }
    s.lblRoot->setText(caption);
}

void GraphWindow::FindRoots()
{
    State &s = *m_state;
    if (s.scanning)
        return; // the scan turns the event loop; it must never start again inside itself
    QElapsedTimer timer;
    timer.start();

    s.lstRoot->clear();
    {
        s.scanning = true;
        // A long function on a wide interval can keep the scan busy for seconds.
        WorkInProgress work([&s] { s.lblRoot->setText(QString::fromLatin1(kScanningNotice)); });
        s.document.SearchRoots(DecimalSeparator(), [&work] { return work.KeepGoing(); });
        s.scanning = false;
    }
    for (const std::u16string &line : s.document.Roots().lines) {
        s.lstRoot->addItem(QString::fromStdU16String(line));
    }

    const int count = s.lstRoot->count();
    const int16_t code = s.document.Roots().failure;
    const QString failure = code != 0 ? QString::fromStdString(ErrorText(code)) : QString();
    const QString tip = !failure.isEmpty() ? failure
                        : count == 0
                            ? MessageTextQ(25)
                            : QString::number(count) + MessageTextQ(26) +
                                  (count > 1 ? QStringLiteral("s") : QString()) + MessageTextQ(27);
    s.lstRoot->setToolTip(tip);
    s.lstRoot->setAccessibleDescription(tip); // a list's is not taken from its tip
    DescribePlot();
    QString caption = ElapsedText(timer);
    if (!s.document.Roots().complete) {
        caption += QLatin1Char('\n') + QString::fromLatin1(kStoppedNotice);
    }
    if (!failure.isEmpty()) {
        caption += QLatin1Char('\n') + failure;
    }
    s.lblRoot->setText(caption);
}

bool GraphWindow::EnsureRootsOfView()
{
    // What is saved, copied or printed lists the roots of the interval it names: after a change
    // of the interval since the last search, or a search the user stopped, the interval on view
    // is searched first, as Roots does. Stopped again, it leaves nothing to write.
    if (!m_state->document.RootsCoverView()) {
        FindRoots();
    }
    return m_state->document.RootsCoverView();
}

void GraphWindow::MarkRoot(double x)
{
    m_state->document.MarkRoot(x);
    ShowScene();
}

} // namespace zv

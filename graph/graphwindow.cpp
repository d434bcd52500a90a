#include "graph/graphwindow.h"

#include "engine/errortext.h"
#include "engine/numbertext.h"
#include "graph/graphwindowprivate.h"
#include "graph/plotarea.h"
#include "graph/plotpainter.h"
#include "graph/toolbarimages.h"
#include "graph/workinprogress.h"
#include "roots/rootscan.h"
#include "ui/messagetextq.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

namespace zv {

namespace {

constexpr int kIntervalDecimals = 6;
constexpr int kTimeDecimals = 3;
constexpr double kRootMarkerRadius = 0.0125; // of the interval's width
constexpr int kColumnWidth = 190;
// Lbl_root while a long root scan runs, and after one the user stopped.
const char *const kScanningNotice = "Looking for roots...\nEsc stops the search.";
const char *const kStoppedNotice = "Stopped: partial list.";

QString ElapsedText(const QElapsedTimer &timer)
{
    const double seconds = static_cast<double>(timer.elapsed()) * 0.001;
    return NumberText(seconds, kTimeDecimals, DecimalSeparator()) + MessageTextQ(28);
}

// Tool bar buttons in their order: key, caption, image, tool tip (also their description).
struct ToolButtonText
{
    const char *key;
    const char *caption;
    const char *image;
    const char *tip;
};

constexpr std::array<ToolButtonText, 8> kToolButtons{{
    {"bZoomOut", "ZoomOut", "imgzoomout", "Double the length of the interval."},
    {"bZoomIn", "ZoomIn", "imgzoomin", "Halve the length of the interval."},
    {"bAutomatic", "Automatic", "imgcanopy", "Automatically adjust the image of the graph."},
    {"bHome", "Default", "imghome", "Set the default values."},
    {"bRedim", "Precision", "imgredim", "Set the accuracy of the graphic."},
    {"bEval", "Evaluate", "imgeval", "Evaluate a function."},
    {"bSave", "Save", "imgsave", "Save the graph and the results."},
    {"bHelp", "Help", "imghelp", "Further information."},
}};

struct PrecisionEntry
{
    const char *key;
    const char *caption;
    int precision;
};

constexpr std::array<PrecisionEntry, 3> kPrecisionEntries{{
    {"mRapid", "Fast", 50},
    {"mNormal", "Normal", 100},
    {"mPrecis", "Precise", 200},
}};

// Keeps a control on the system colours when the window around it takes a theme's colours,
// for controls that paint their own faces.
void PinSystemColours(QWidget *control)
{
    QPalette palette = control->palette();
    // Per colour group, so that disabled buttons still look disabled.
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const QPalette::ColorRole role :
             {QPalette::Window, QPalette::WindowText, QPalette::Button, QPalette::ButtonText}) {
            palette.setColor(group, role, palette.color(group, role));
        }
    }
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

} // namespace

GraphWindow::GraphWindow(const GraphEquation &equation, QWidget *parent)
    : QWidget(parent)
    , m_state(new State)
{
    BuildControls();
    ConnectSaveButton();
    ConnectCopy();
    Load(equation);
}

GraphWindow::~GraphWindow()
{
    QObject::disconnect(m_state->subWindowActivation);
    delete m_state;
}

QString GraphWindow::Get_f() const
{
    return m_state->fText;
}

double GraphWindow::Get_a() const
{
    return m_state->a;
}

double GraphWindow::Get_b() const
{
    return m_state->b;
}

double GraphWindow::YMin() const
{
    return m_state->yMin;
}

double GraphWindow::YMax() const
{
    return m_state->yMax;
}

int GraphWindow::Precision() const
{
    return m_state->precision;
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

void GraphWindow::BuildControls()
{
    State &s = *m_state;
    BuildToolbar();

    s.statusBar = new QStatusBar(this);
    s.statusBar->setObjectName(QStringLiteral("StatusBar1"));
    s.statusBar->setSizeGripEnabled(false);
    const std::array<const char *, 3> panelKeys{"statusDescr", "statusX", "statusY"};
    const std::array<int, 3> panelStretch{3, 1, 1};
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(s.statusBar);
        panel->setObjectName(QString::fromLatin1(panelKeys[i]));
        panel->setTextFormat(Qt::PlainText);
        // Long texts are cut at the panel's edge instead of widening the window.
        panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        s.statusBar->addWidget(panel, panelStretch[i]);
        s.panels[i] = panel;
    }
    PinSystemColours(s.statusBar);

    s.picture = new PlotArea(this);
    s.picture->setObjectName(QStringLiteral("Picture1"));

    s.lstRoot = new QListWidget(this);
    s.lstRoot->setObjectName(QStringLiteral("LstRoot"));
    s.lstRoot->viewport()->setCursor(Qt::ArrowCursor);
    connect(s.lstRoot, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        double x = 0.0;
        if (ReadNumberText(item->text().toStdU16String(), m_state->listSeparator, x)) {
            MarkRoot(x);
        }
    });

    s.cmdRadacini = new QPushButton(QStringLiteral("&Roots"), this);
    s.cmdRadacini->setObjectName(QStringLiteral("Cmd_Radacini"));
    s.cmdRadacini->setToolTip(
        QStringLiteral("Displays the roots of the equation on the current interval."));
    connect(s.cmdRadacini, &QPushButton::clicked, this, &GraphWindow::FindRoots);

    s.cmdGrafic = new QPushButton(QStringLiteral("&Animated graphic"), this);
    s.cmdGrafic->setObjectName(QStringLiteral("Cmd_Grafic"));

    s.lblRoot = new QLabel(this);
    s.lblRoot->setObjectName(QStringLiteral("Lbl_root"));
    s.lblRoot->setWordWrap(true);
    s.lblRoot->setMinimumHeight(2 * fontMetrics().lineSpacing());
    s.lblRoot->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    s.lbl2 = new QLabel(this);
    s.lbl2->setObjectName(QStringLiteral("lbl2"));
    s.lbl3 = new QLabel(this);
    s.lbl3->setObjectName(QStringLiteral("lbl3"));
    s.label7 = new QLabel(this);
    s.label7->setObjectName(QStringLiteral("Label7"));
    for (QLabel *label : {s.lblRoot, s.lbl2, s.lbl3, s.label7}) {
        label->setTextFormat(Qt::PlainText);
    }

    auto *column = new QVBoxLayout;
    column->setSpacing(6);
    column->addWidget(s.lstRoot, 1);
    column->addWidget(s.cmdRadacini);
    column->addWidget(s.cmdGrafic);
    column->addWidget(s.lblRoot);
    column->addWidget(s.lbl2);
    column->addWidget(s.lbl3);
    column->addWidget(s.label7);
    for (QWidget *control :
         {static_cast<QWidget *>(s.lstRoot), static_cast<QWidget *>(s.cmdRadacini),
          static_cast<QWidget *>(s.cmdGrafic), static_cast<QWidget *>(s.lblRoot),
          static_cast<QWidget *>(s.lbl2), static_cast<QWidget *>(s.lbl3),
          static_cast<QWidget *>(s.label7)}) {
        control->setFixedWidth(kColumnWidth);
    }

    auto *body = new QHBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    body->setSpacing(10);
    body->addWidget(s.picture, 0, Qt::AlignTop);
    body->addLayout(column);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(s.toolbar);
    layout->addLayout(body, 1);
    layout->addWidget(s.statusBar);

    // Moves over the window's own surface update the status bar.
    setMouseTracking(true);
    ConnectNavigation();
}

void GraphWindow::BuildToolbar()
{
    State &s = *m_state;
    s.toolbar = new QToolBar(this);
    s.toolbar->setObjectName(QStringLiteral("Toolbar1"));
    s.toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    s.toolbar->setIconSize(QSize(kToolbarImageSize, kToolbarImageSize));
    s.toolbar->setFloatable(false);
    s.toolbar->setMovable(false);
    PinSystemColours(s.toolbar);

    // Each button is shown disabled until its command is wired to it.
    for (const ToolButtonText &button : kToolButtons) {
        auto *action = new QAction(ToolbarImage(QString::fromLatin1(button.image)),
                                   QString::fromLatin1(button.caption), s.toolbar);
        action->setObjectName(QString::fromLatin1(button.key));
        action->setToolTip(QString::fromLatin1(button.tip));
        action->setData(QString::fromLatin1(button.tip)); // the description shown on panel 1
        action->setEnabled(false);
        s.toolbar->addAction(action);
        if (action->objectName() == QLatin1String("bRedim")) {
            auto *menu = new QMenu(s.toolbar);
            for (const PrecisionEntry &entry : kPrecisionEntries) {
                QAction *item = menu->addAction(QString::fromLatin1(entry.caption));
                item->setObjectName(QString::fromLatin1(entry.key));
                item->setData(entry.precision);
            }
            action->setMenu(menu);
            if (auto *toolButton =
                    qobject_cast<QToolButton *>(s.toolbar->widgetForAction(action))) {
                toolButton->setPopupMode(QToolButton::MenuButtonPopup);
            }
        }
    }
}

void GraphWindow::SetColours(const ThemeColours &colours)
{
    m_state->colours = colours;
    Activate();
}

void GraphWindow::Load(const GraphEquation &equation)
{
    State &s = *m_state;
    s.a = s.homeA = equation.a;
    s.b = s.homeB = equation.b;
    s.fText = equation.function;

    s.autoPending = true;
    const VerticalRange range = StandardVerticalRange(s.a, s.b);
    s.yMin = range.yMin;
    s.yMax = range.yMax;

    SetPanelText(1, MessageTextQ(33));
    ShowIntervalPanels();
    s.precision = kLoadPrecision;

    DrawGraph();
    FindRoots();
}

void GraphWindow::ShowIntervalPanels()
{
    const char16_t separator = DecimalSeparator();
    SetPanelText(2, QStringLiteral("a = ") + NumberText(m_state->a, kIntervalDecimals, separator));
    SetPanelText(3, QStringLiteral("b = ") + NumberText(m_state->b, kIntervalDecimals, separator));
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
    const QColor background = s.colours.background;
    const QColor foreground = s.colours.foreground;

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    setPalette(palette);
    setAutoFillBackground(true);

    QPalette listPalette = s.lstRoot->palette();
    listPalette.setColor(QPalette::Base, background);
    s.lstRoot->setPalette(listPalette);

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

void GraphWindow::mouseMoveEvent(QMouseEvent *event)
{
    // Moves that reach the window from a control it holds are not over its own surface.
    if (childAt(event->position().toPoint()) == nullptr) {
        SetPanelText(1, MessageTextQ(34));
        ShowIntervalPanels();
        setCursor(Qt::ArrowCursor);
    }
    QWidget::mouseMoveEvent(event);
}

void GraphWindow::DrawGraph()
{
    const State &s = *m_state;
    DrawView(PlotView{s.fText, s.a, s.b, s.yMin, s.yMax, s.precision});
}

void GraphWindow::DrawView(const PlotView &view)
{
    State &s = *m_state;
    QElapsedTimer timer;
    timer.start();

    s.picture->ClearDrawing();
    const SampledCurve curve = SamplePlotCurve(view);
    UpdatePlotMapping(view, QSizeF(PlotArea::kInnerSize, PlotArea::kInnerSize),
                      s.picture->Mapping());
    bool tooSmall = false;
    s.picture->Paint([&](QPainter &painter) {
        tooSmall = PaintSampledPlot(painter, view, curve, s.picture->Mapping());
    });

    QString caption = ElapsedText(timer);
    if (tooSmall) {
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
    s.listSeparator = DecimalSeparator();
    RootScanResult scan;
    {
        s.scanning = true;
        // A long function on a wide interval can keep the scan busy for seconds.
        WorkInProgress work([&s] { s.lblRoot->setText(QString::fromLatin1(kScanningNotice)); });
        scan = ScanForRoots(s.fText.toStdU16String(), s.a, s.b, s.precision, s.listSeparator,
                            [&work] { return work.KeepGoing(); });
        s.scanning = false;
    }
    for (const std::u16string &line : scan.lines) {
        s.lstRoot->addItem(QString::fromStdU16String(line));
    }

    const int count = s.lstRoot->count();
    // f without a value anywhere is no "no root": the engine says why.
    s.scanError = scan.NothingEvaluable();
    const QString failure =
        s.scanError != 0 ? QString::fromStdString(ErrorText(s.scanError)) : QString();
    if (!failure.isEmpty()) {
        s.lstRoot->setToolTip(failure);
    } else if (count == 0) {
        s.lstRoot->setToolTip(MessageTextQ(25));
    } else {
        s.lstRoot->setToolTip(QString::number(count) + MessageTextQ(26) +
                              (count > 1 ? QStringLiteral("s") : QString()) + MessageTextQ(27));
    }
    QString caption = ElapsedText(timer);
    if (scan.stopped) {
        caption += QLatin1Char('\n') + QString::fromLatin1(kStoppedNotice);
    }
    if (!failure.isEmpty()) {
        caption += QLatin1Char('\n') + failure;
    }
    s.lblRoot->setText(caption);
}

void GraphWindow::MarkRoot(double x)
{
    State &s = *m_state;
    s.picture->Paint([&](QPainter &painter) {
        PaintRootMarker(painter, s.picture->Mapping(), x, (s.b - s.a) * kRootMarkerRadius);
    });
}

} // namespace zv

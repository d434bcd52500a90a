// The graph window's controls: the tool bar, the plot, the root list and the column beside it,
// the status bar, and the window's size at opening.
#include "graph/graphwindow.h"

#include "graph/graphwindowprivate.h"
#include "graph/plotarea.h"
#include "graph/toolbarimages.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace zv {

namespace {

constexpr int kColumnWidth = 190;

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

// A name and a description for screen readers where the control's own texts give none: buttons
// are named by their captions and described by their tips, labels named by their changing text.
void Describe(QWidget *control, const char *name, const char *description)
{
    if (name != nullptr)
        control->setAccessibleName(QString::fromLatin1(name));
    control->setAccessibleDescription(QString::fromLatin1(description));
}

} // namespace

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
    Describe(s.statusBar, "Status bar", "What the pointer is over, and where.");
    Describe(s.panels[0], nullptr, "What the pointer is over.");
    Describe(s.panels[1], nullptr, "The pointer's x, or the left end of the interval.");
    Describe(s.panels[2], nullptr, "The pointer's y, or the right end of the interval.");

    s.picture = new PlotArea(this);
    s.picture->setObjectName(QStringLiteral("Picture1"));
    // The arrow keys, + and - reach the plot from the keyboard alone.
    s.picture->setFocusPolicy(Qt::StrongFocus);
    s.picture->setAccessibleName(QStringLiteral("Plot"));

    s.lstRoot = new QListWidget(this);
    s.lstRoot->setObjectName(QStringLiteral("LstRoot"));
    s.lstRoot->viewport()->setCursor(Qt::ArrowCursor);
    s.lstRoot->setAccessibleName(QStringLiteral("List of roots"));
    // The list shows the roots of the document's last search, in its order. A click marks one,
    // as Enter does the one chosen by the keyboard.
    const auto markItem = [this](QListWidgetItem *item) {
        const std::vector<double> &roots = m_state->document.Roots().roots;
        const int row = m_state->lstRoot->row(item);
        if (row >= 0 && row < static_cast<int>(roots.size())) {
            MarkRoot(roots[static_cast<size_t>(row)]);
        }
    };
    connect(s.lstRoot, &QListWidget::itemClicked, this, markItem);
    connect(s.lstRoot, &QListWidget::itemActivated, this, markItem);

    s.cmdRadacini = new QPushButton(QStringLiteral("&Roots"), this);
    s.cmdRadacini->setObjectName(QStringLiteral("Cmd_Radacini"));
    s.cmdRadacini->setToolTip(
        QStringLiteral("Displays the roots of the equation on the current interval."));
    connect(s.cmdRadacini, &QPushButton::clicked, this, &GraphWindow::FindRoots);

    s.cmdGrafic = new QPushButton(QStringLiteral("&Animated graphic"), this);
    s.cmdGrafic->setObjectName(QStringLiteral("Cmd_Grafic"));
    Describe(s.cmdGrafic, nullptr, "Zooms out and back in over the graph, then shows it again.");

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
    Describe(s.lblRoot, nullptr, "How long the last drawing or root search took.");
    Describe(s.lbl2, nullptr, "The left end of the interval on view.");
    Describe(s.lbl3, nullptr, "The right end of the interval on view.");

    auto *column = new QVBoxLayout;
    s.column = column;
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
    body->addWidget(s.picture, 1);
    body->addLayout(column);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(s.toolbar);
    layout->addLayout(body, 1);
    layout->addWidget(s.statusBar);

    // Tab goes from the plot to the list, Roots, Animated graphic, then the tool bar's buttons.
    QList<QWidget *> order{s.picture, s.lstRoot, s.cmdRadacini, s.cmdGrafic};
    for (QAction *button : s.toolbar->actions()) {
        order.append(s.toolbar->widgetForAction(button));
        order.back()->setFocusPolicy(Qt::TabFocus);
    }
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    s.picture->setFocus();
    // The frame that shows the plot or the list has the focus comes and goes with it.
    s.focusFollowing =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
            for (const QWidget *framed : {old, now}) {
                if (framed == m_state->picture || framed == m_state->lstRoot)
                    update(FocusFrame(framed).toAlignedRect().adjusted(-2, -2, 2, 2));
            }
        });

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
    Describe(s.toolbar, "Tool bar", "The graph window's commands.");
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

QSize GraphWindow::sizeHint() const
{
    // At its opening size the plot is 321 x 321: the column beside it takes that height
    // (its list is shorter than it would like), and larger sizes go to the plot.
    QSize hint = QWidget::sizeHint();
    const int columnExcess =
        m_state->column->sizeHint().height() - m_state->picture->sizeHint().height();
    hint.rheight() -= std::max(0, columnExcess);
    return hint;
}

} // namespace zv

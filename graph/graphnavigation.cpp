// The graph window's navigation: the tool bar, the keys F8 and F9, the mouse on the plot and
// the animated graphic. The arithmetic lives in viewcommands, promptvalues and curvesampling.
#include "engine/evaluator.h"
#include "graph/curvesampling.h"
#include "graph/frameplayer.h"
#include "graph/graphwindow.h"
#include "graph/graphwindowprivate.h"
#include "graph/plotarea.h"
#include "graph/promptvalues.h"
#include "graph/viewcommands.h"
#include "ui/cursoricons.h"
#include "ui/helprequest.h"
#include "ui/inputprompt.h"
#include "ui/messagebox.h"
#include "ui/messagetextq.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <cstdlib>
#include <string>

namespace zv {

namespace {

constexpr int kPointerDecimals = 3;
// A prompt's default text shows the number with all its 15 significant digits.
constexpr int kAllDecimals = 400;
// About one second for the 31 frames, whatever the speed of the machine.
constexpr int kAnimationFramePeriodMs = 30;

QAction *ToolbarButton(const QToolBar *toolbar, const char *key)
{
    return toolbar->findChild<QAction *>(QString::fromLatin1(key));
}

// The line under "Invalid data !" that names the rule the answer broke.
QString RefusalText(PromptRefusal refusal)
{
    const auto width = [](double value) { return NumberText(value, 6, DecimalSeparator()); };
    switch (refusal) {
    case PromptRefusal::TooLarge:
        return QStringLiteral("The number is too large to be used.");
    case PromptRefusal::NotBelow:
        return QStringLiteral("a must be below b.");
    case PromptRefusal::TooNarrow:
        return QStringLiteral("The interval must be at least %1 wide.")
            .arg(width(kMinIntervalWidth));
    case PromptRefusal::TooWide:
        return QStringLiteral("The interval must be at most %1 wide.")
            .arg(width(kMaxIntervalWidth));
    case PromptRefusal::PrecisionOutside:
        return QStringLiteral("The precision must be a whole number from %1 to %2.")
            .arg(kMinPrecision)
            .arg(kMaxPrecision);
    case PromptRefusal::None:
        break;
    }
    return {};
}

// The answer to a prompt that cannot be taken, and why.
void ShowInvalidData(QWidget *window, PromptRefusal refusal)
{
    ShowMessage(window, MessageTextQ(32) + QLatin1Char('\n') + RefusalText(refusal),
                MessageTextQ(9), MessageIcon::Information);
}

// The precision menu marks the entry in force (none when F8 set another value).
void CheckPrecisionEntry(const QAction *redim, int precision)
{
    for (QAction *entry : redim->menu()->actions()) {
        entry->setChecked(entry->data().toInt() == precision);
    }
}

} // namespace

bool GraphWindow::AnimationPlaying() const
{
    return m_state->animation != nullptr;
}

void GraphWindow::ConnectNavigation()
{
    State &s = *m_state;
    const auto wire = [this, &s](const char *key, auto handler) {
        QAction *button = ToolbarButton(s.toolbar, key);
        button->setEnabled(true);
        connect(button, &QAction::triggered, this, handler);
    };
    wire("bZoomOut", [this] { Zoom(kZoomOutFactor); });
    wire("bZoomIn", [this] { Zoom(kZoomInFactor); });
    wire("bAutomatic", [this] { ToggleAutomatic(); });
    wire("bHome", [this] { GoHome(); });
    wire("bEval", [this] { emit evaluateRequested(); });
    wire("bHelp", [this] { ShowHelpTopic(this, QStringLiteral("mg.html")); });

    // The precision button has no command of its own: a press anywhere on it opens its menu.
    QAction *redim = ToolbarButton(s.toolbar, "bRedim");
    redim->setEnabled(true);
    if (auto *button = qobject_cast<QToolButton *>(s.toolbar->widgetForAction(redim))) {
        button->setPopupMode(QToolButton::InstantPopup);
    }
    for (QAction *entry : redim->menu()->actions()) {
        entry->setCheckable(true);
        connect(entry, &QAction::triggered, this,
                [this, entry] { ChoosePrecision(entry->data().toInt()); });
    }
    CheckPrecisionEntry(redim, s.document.Precision());

    for (QAction *button : s.toolbar->actions()) {
        connect(button, &QAction::hovered, this, [this, button] { ShowButtonDescription(button); });
    }

    ConnectKeys();

    connect(s.cmdGrafic, &QPushButton::clicked, this, &GraphWindow::PlayAnimation);
    connect(s.picture, &PlotArea::pointerMoved, this, &GraphWindow::PlotPointerMoved);
    connect(s.picture, &PlotArea::pressed, this, &GraphWindow::PlotPressed);
    connect(s.picture, &PlotArea::wheelTurned, this, &GraphWindow::PlotWheelTurned);
}

void GraphWindow::ConnectKeys()
{
    // Keys of the window reach it whichever of its controls has the focus; the plot's own, only
    // while it has the focus, so that the arrows choose a root in the list.
    const auto key = [this](QWidget *owner, const QKeySequence &code, bool repeat, auto handler) {
        auto *action = new QAction(owner);
        action->setShortcut(code);
        action->setShortcutContext(owner == this ? Qt::WidgetWithChildrenShortcut
                                                 : Qt::WidgetShortcut);
        action->setAutoRepeat(repeat);
        owner->addAction(action);
        connect(action, &QAction::triggered, this, handler);
    };
    // F1 is the Help button's key; on the window too, so that it works from every control.
    QAction *help = ToolbarButton(m_state->toolbar, "bHelp");
    help->setShortcut(Qt::Key_F1);
    help->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(help);
    key(this, Qt::Key_F9, false, [this] { AskNewInterval(); });
    key(this, Qt::Key_F8, false, [this] { AskNewPrecision(); });
    // The arrows move the view as a click in an edge band does; + and - zoom as the buttons.
    QWidget *plot = m_state->picture;
    key(plot, Qt::Key_Right, true, [this] { Move(1, 0); });
    key(plot, Qt::Key_Left, true, [this] { Move(-1, 0); });
    key(plot, Qt::Key_Up, true, [this] { Move(0, 1); });
    key(plot, Qt::Key_Down, true, [this] { Move(0, -1); });
    key(this, Qt::Key_Plus, true, [this] { Zoom(kZoomInFactor); });
    key(this, Qt::Key_Minus, true, [this] { Zoom(kZoomOutFactor); });
}

bool GraphWindow::ShowView(const std::optional<ViewExtent> &view, ViewChange change)
{
    // Every change of the view ends here. A view that could not be drawn or measured is
    // refused and the view stays as it is; a fitted range is drawn as it comes, even without
    // height (a constant function). The panels show the interval on view after each change,
    // an animation frame's included, though a frame does not become the window's view.
    State &s = *m_state;
    if (!view || (change != ViewChange::Fit && !ViewStepAllowed(s.document.View(), *view))) {
        QApplication::beep();
        return false;
    }
    ShowIntervalPanels(*view);
    if (change == ViewChange::Frame) {
        DrawFrame(*view, kAnimationPrecision);
        return true;
    }
    s.document.SetView(*view);
    DrawGraph();
    DescribePlot();
    return true;
}

void GraphWindow::Zoom(double factor)
{
    ShowView(Zoomed(m_state->document.View(), factor));
}

void GraphWindow::Move(int horizontal, int vertical)
{
    ShowView(Moved(m_state->document.View(), EdgeBand{horizontal, vertical}));
}

void GraphWindow::GoHome()
{
    ShowView(m_state->document.HomeView());
}

void GraphWindow::ToggleAutomatic()
{
    State &s = *m_state;
    QAction *button = ToolbarButton(s.toolbar, "bAutomatic");
    ViewExtent view = s.document.View();
    if (s.document.AutoPending()) {
        button->setToolTip(MessageTextQ(36));
        const std::u16string &function = s.document.Function();
        const auto f = [&function](double x, int16_t &code) { return Evaluate(function, x, code); };
        FitVerticalRange(f, view.a, view.b, s.document.Precision(), view.yMin, view.yMax);
    } else {
        button->setToolTip(MessageTextQ(37));
        const VerticalRange range = StandardVerticalRange(view.a, view.b);
        view.yMin = range.yMin;
        view.yMax = range.yMax;
    }
    // The tip, and the description on panel 1, always name what the next press does.
    s.document.SetAutoPending(!s.document.AutoPending());
    button->setData(button->toolTip());
    ShowDescriptionUnderPointer(button);
    ShowView(view, ViewChange::Fit);
}

void GraphWindow::ChoosePrecision(int precision)
{
    State &s = *m_state;
    s.picture->setCursor(Qt::ArrowCursor);
    CheckPrecisionEntry(ToolbarButton(s.toolbar, "bRedim"), precision);
    if (precision == s.document.Precision()) {
        return;
    }
    s.document.SetPrecision(precision);
    ShowDescriptionUnderPointer(ToolbarButton(s.toolbar, "bRedim"));
    DrawGraph();
}

void GraphWindow::ShowDescriptionUnderPointer(QAction *button)
{
    // A button tells its description when the pointer comes onto it; a description that
    // changes while the pointer stays there is shown at once.
    const QWidget *face = m_state->toolbar->widgetForAction(button);
    if (face != nullptr && face->underMouse()) {
        ShowButtonDescription(button);
    }
}

void GraphWindow::ShowButtonDescription(const QAction *button)
{
    QString description = button->data().toString();
    if (button->objectName() == QLatin1String("bRedim")) {
        description += QStringLiteral(" (") + QString::number(m_state->document.Precision()) +
                       QLatin1Char(')');
    }
    SetPanelText(1, description);
}

void GraphWindow::AskNewInterval()
{
    const ViewExtent &view = m_state->document.View();
    const char16_t separator = DecimalSeparator();
    // A cancelled prompt ends the command: nothing typed, nothing changed.
    const std::optional<QString> typedA = AskText(this, QStringLiteral("a = "), MessageTextQ(30),
                                                  NumberText(view.a, kAllDecimals, separator));
    if (!typedA) {
        return;
    }
    const std::optional<double> na = ReadPromptNumber(typedA->toStdU16String());
    if (!na) {
        ShowInvalidData(this, PromptRefusal::TooLarge);
        return;
    }
    const std::optional<QString> typedB = AskText(this, QStringLiteral("b = "), MessageTextQ(30),
                                                  NumberText(view.b, kAllDecimals, separator));
    if (!typedB) {
        return;
    }
    const std::optional<double> nb = ReadPromptNumber(typedB->toStdU16String());
    const PromptRefusal refusal = nb ? IntervalRefusal(*na, *nb) : PromptRefusal::TooLarge;
    if (refusal != PromptRefusal::None) {
        ShowInvalidData(this, refusal);
        return;
    }
    const VerticalRange range = StandardVerticalRange(*na, *nb);
    ShowView(ViewExtent{*na, *nb, range.yMin, range.yMax});
}

void GraphWindow::AskNewPrecision()
{
    State &s = *m_state;
    const std::optional<QString> typed = AskText(this, QStringLiteral("hiq="), MessageTextQ(31),
                                                 QString::number(s.document.Precision()));
    if (!typed) {
        return;
    }
    const std::optional<double> value = ReadPromptNumber(typed->toStdU16String());
    const std::optional<int> precision = value ? AcceptedPrecision(*value) : std::nullopt;
    if (!precision) {
        ShowInvalidData(this, value ? PromptRefusal::PrecisionOutside : PromptRefusal::TooLarge);
        return;
    }
    s.document.SetPrecision(*precision);
    QAction *redim = ToolbarButton(s.toolbar, "bRedim");
    CheckPrecisionEntry(redim, s.document.Precision());
    ShowDescriptionUnderPointer(redim);
    DrawGraph();
}

void GraphWindow::PlotPointerMoved(double x, double y)
{
    State &s = *m_state;
    const char16_t separator = DecimalSeparator();
    // Straight onto the panels: lbl2 and lbl3 keep the interval's ends.
    s.panels[1]->setText(QStringLiteral("x = ") + NumberText(x, kPointerDecimals, separator));
    s.panels[2]->setText(QStringLiteral("y = ") + NumberText(y, kPointerDecimals, separator));
    const EdgeBand band = ClassifyPosition(s.document.View(), x, y);
    if (band.Inner()) {
        s.picture->setCursor(Qt::ArrowCursor);
        SetPanelText(1, MessageTextQ(33));
    } else {
        s.picture->setCursor(CursorIcon(CursorNumber(band)));
        SetPanelText(1, MessageTextQ(35));
    }
}

void GraphWindow::PlotPressed(double x, double y)
{
    const EdgeBand band = ClassifyPosition(m_state->document.View(), x, y);
    if (band.Inner()) {
        emit approximateRequested(x);
        return;
    }
    Move(band.horizontal, band.vertical);
}

void GraphWindow::PlotWheelTurned(int notches, double x, double y)
{
    // One zoom step per notch, about the point under the pointer, which stays under it: away
    // from the user zooms in.
    const double factor = notches > 0 ? kZoomInFactor : kZoomOutFactor;
    for (int i = 0; i < std::abs(notches); ++i) {
        if (!ShowView(ZoomedAbout(m_state->document.View(), factor, x, y)))
            return;
    }
}

void GraphWindow::PlayAnimation()
{
    State &s = *m_state;
    if (s.animation != nullptr) {
        return;
    }
    const std::vector<ViewExtent> frames = AnimationFrames(s.document.View());
    if (frames.empty()) {
        QApplication::beep(); // a frame would overflow
        return;
    }
    const int count = static_cast<int>(frames.size());
    // The window's own interval and precision stay as they are while the frames play, so
    // whatever reads them meanwhile (the project's Save) gets the view, not a frame; the
    // panels show the interval of each frame on view.
    s.animation = new FramePlayer(this, count, kAnimationFramePeriodMs, [this, frames](int i) {
        const ViewExtent &frame = frames[static_cast<size_t>(i)];
        if (i + 1 < static_cast<int>(frames.size())) {
            ShowView(frame, ViewChange::Frame);
        } else {
            // Back to the view, with the vertical range as the frames' arithmetic leaves it.
            ShowView(frame);
        }
        // On the screen now, before the next frame is made.
        m_state->picture->repaint();
    });
    connect(s.animation, &FramePlayer::finished, this, [this] { m_state->animation = nullptr; });
    s.animation->Start();
}

} // namespace zv

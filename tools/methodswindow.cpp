#include "tools/methodswindow.h"

#include "export/atomicfile.h"
#include "methods/methodsinput.h"
#include "methods/methodsreport.h"
#include "tools/convergenceplot.h"
#include "tools/methodoverlays.h"
#include "tools/methodtables.h"
#include "ui/decimalseparator.h"
#include "ui/entryfield.h"
#include "ui/errorlabel.h"
#include "ui/filedialog.h"
#include "ui/helprequest.h"
#include "ui/messagebox.h"
#include "ui/messagetextq.h"
#include "ui/themefollower.h"
#include "ui/toolcontrols.h"

#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace zv {

namespace {

constexpr int kTextError = 9;         // "Error"
constexpr int kTextFunctionHint = 18; // "Enter the function."
const char *const kHelpTopic = "methods.html";
constexpr QSize kOpeningSize(1100, 700);
// Rows of the summary always on view: every method, the corrected Newton included.
constexpr int kSummaryRows = 8;
// Decimals of the interval ends a graph window hands over: its view is never finer.
constexpr int kIntervalDecimals = 10;

// An interval end as a number field reads it back: plain decimals, never an exponent (which
// the expression language would read as a product with e).
QString EndText(double value)
{
    QString text = QString::number(value, 'f', kIntervalDecimals);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text.replace(QLatin1Char('.'), QChar(DecimalSeparator()));
}

QLabel *Caption(const QString &name, const QString &text, QLineEdit *buddy, QWidget *parent)
{
    QLabel *label = CaptionLabel(name, text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

MethodsWindow::MethodsWindow(const QString &function,
                             std::optional<std::pair<double, double>> interval, QWidget *parent)
    : QDialog(parent)
    , m_player(new QTimer(this))
{
    setObjectName(QStringLiteral("Methods"));
    setWindowTitle(QStringLiteral("Compare methods"));
    setModal(false);
    BuildControls();
    m_txtF->setText(function);
    if (interval) {
        m_txtA->setText(EndText(interval->first));
        m_txtB->setText(EndText(interval->second));
    }
    // As large as it was drawn for, on a screen that has the room.
    const QSize room = screen() != nullptr ? screen()->availableSize() * 9 / 10 : kOpeningSize;
    resize(kOpeningSize.boundedTo(room));
    if (!function.isEmpty() && interval)
        Cmd_compare_Click();
}

void MethodsWindow::BuildControls()
{
    m_lblEroare = new ErrorLabel(QStringLiteral("lblEroare"), this);
    m_summary = ResultTable(QStringLiteral("lstSummary"),
                            {QStringLiteral("method"), QStringLiteral("root"),
                             QStringLiteral("iterations"), QStringLiteral("evaluations"),
                             QStringLiteral("order"), QStringLiteral("stopped because")},
                            this);
    m_summary->setAccessibleName(QStringLiteral("Methods compared"));
    m_summary->setAccessibleDescription(QStringLiteral(
        "One row per method: its root, iterations, evaluations of f, order and why it stopped."));
    m_iterations = ResultTable(QStringLiteral("lstIterations"),
                               {QStringLiteral("k"), QStringLiteral("x"), QStringLiteral("f(x)"),
                                QStringLiteral("bracket"), QStringLiteral("|x - root|")},
                               this);
    m_iterations->setAccessibleName(QStringLiteral("Iterations"));
    m_iterations->setAccessibleDescription(QStringLiteral(
        "The steps of the selected method: k, x, f(x), the bracket kept and the error."));
    m_lblIterations = CaptionLabel(QStringLiteral("lblIterations"), QString(), this);
    m_plot = new ConvergencePlot(this);
    m_cmdExportSummary =
        CommandButton(QStringLiteral("cmdExportSummary"), QStringLiteral("Export su&mmary..."),
                      QStringLiteral("Saves the summary of the methods as a CSV file."), this);
    m_cmdExportIterations = CommandButton(
        QStringLiteral("cmdExportIterations"), QStringLiteral("Export &iterations..."),
        QStringLiteral("Saves the iterations of the selected method as a CSV file."), this);
    QPushButton *cmdHelp =
        CommandButton(QStringLiteral("Cmd_Help"), QStringLiteral("&Help"),
                      QStringLiteral("Opens the help on comparing methods."), this);
    QPushButton *cmdExit = CommandButton(QStringLiteral("Cmd_Exit"), QStringLiteral("E&xit"),
                                         QStringLiteral("Closes the window."), this);

    QLayout *fields = BuildFields();
    auto *left = new QVBoxLayout;
    left->addWidget(
        CaptionLabel(QStringLiteral("lblSummary"), QStringLiteral("Methods compared"), this));
    left->addWidget(m_summary, 1);
    left->addWidget(m_lblIterations);
    left->addWidget(m_iterations, 2);
    auto *right = new QVBoxLayout;
    right->addWidget(CaptionLabel(QStringLiteral("lblPlot"), QStringLiteral("Convergence"), this));
    right->addWidget(m_plot, 1);
    right->addLayout(BuildStepControls());
    // The tables and the plot share the width as the user drags their border.
    auto *tables = new QWidget(this);
    tables->setLayout(left);
    left->setContentsMargins(0, 0, 0, 0);
    auto *plot = new QWidget(this);
    plot->setLayout(right);
    right->setContentsMargins(0, 0, 0, 0);
    auto *middle = new QSplitter(Qt::Horizontal, this);
    middle->setObjectName(QStringLiteral("splMiddle"));
    middle->setChildrenCollapsible(false);
    middle->addWidget(tables);
    middle->addWidget(plot);
    middle->setStretchFactor(0, 1);
    m_summary->setMinimumHeight(kSummaryRows * m_summary->verticalHeader()->defaultSectionSize() +
                                m_summary->horizontalHeader()->sizeHint().height() +
                                2 * m_summary->frameWidth() +
                                m_summary->horizontalScrollBar()->sizeHint().height());
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdExportSummary);
    buttons->addWidget(m_cmdExportIterations);
    buttons->addStretch(1);
    buttons->addWidget(cmdHelp);
    buttons->addWidget(cmdExit);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->addLayout(fields);
    column->addWidget(m_lblEroare);
    column->addWidget(middle, 1);
    column->addLayout(buttons);

    setTabOrder(m_summary, m_iterations);
    setTabOrder(m_iterations, m_cmdShow);
    setTabOrder(m_cmdShow, m_cmdStep);
    setTabOrder(m_cmdStep, m_cmdPlay);
    setTabOrder(m_cmdPlay, m_cmdExportSummary);
    setTabOrder(m_cmdExportSummary, m_cmdExportIterations);
    setTabOrder(m_cmdExportIterations, cmdHelp);
    setTabOrder(cmdHelp, cmdExit);

    connect(m_summary, &QTableWidget::itemSelectionChanged, this, &MethodsWindow::SelectionChanged);
    connect(m_cmdExportSummary, &QPushButton::clicked, this, [this] { Cmd_export_Click(false); });
    connect(m_cmdExportIterations, &QPushButton::clicked, this, [this] { Cmd_export_Click(true); });
    const auto help = [this] { ShowHelpTopic(this, QLatin1String(kHelpTopic)); };
    connect(cmdHelp, &QPushButton::clicked, this, help);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, help);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_player, &QTimer::timeout, this, &MethodsWindow::Cmd_step_Click);
    UpdateButtons();
}

QLayout *MethodsWindow::BuildFields()
{
    m_txtF = ExpressionBox(QStringLiteral("txt_f"), MessageTextQ(kTextFunctionHint), this);
    m_txtF->setMinimumWidth(m_txtF->width());
    m_txtF->setMaximumWidth(QWIDGETSIZE_MAX);
    m_txtA =
        ExpressionBox(QStringLiteral("txtA"), QStringLiteral("Left end of the interval."), this);
    m_txtB =
        ExpressionBox(QStringLiteral("txtB"), QStringLiteral("Right end of the interval."), this);
    m_txtTol = ExpressionBox(QStringLiteral("txtTol"),
                             QStringLiteral("Tolerance on x, such as 1e-10."), this);
    m_txtTol->setText(QString::fromStdString(ShortestNumber(kDefaultTolerance)));
    m_txtX0 = ExpressionBox(
        QStringLiteral("txtX0"),
        QStringLiteral("Where Newton and the secant start (the secant's second point is the end of "
                       "[a; b] farther away); empty for the middle of [a; b]."),
        this);
    m_txtX0->setPlaceholderText(QStringLiteral("middle of [a; b]"));
    QPushButton *cmdCompare =
        CommandButton(QStringLiteral("Cmd_calcul"), QStringLiteral("&Compare"),
                      QStringLiteral("Runs every method on the equation and the interval."), this);
    cmdCompare->setDefault(true);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(Caption(QStringLiteral("Lbl_f"), QStringLiteral("&f ="), m_txtF, this), 0, 0);
    grid->addWidget(m_txtF, 0, 1, 1, 7);
    grid->addWidget(cmdCompare, 0, 8);
    const struct
    {
        const char *name;
        const char *caption;
        QLineEdit *field;
    } row[] = {{"Lbl_a", "&a =", m_txtA},
               {"Lbl_b", "&b =", m_txtB},
               {"Lbl_tol", "&tolerance =", m_txtTol},
               {"Lbl_x0", "x&0 =", m_txtX0}};
    int column = 0;
    for (const auto &r : row) {
        grid->addWidget(Caption(QLatin1String(r.name), QLatin1String(r.caption), r.field, this), 1,
                        column++);
        grid->addWidget(r.field, 1, column++);
    }
    grid->setColumnStretch(7, 1);

    const auto compare = [this] { Cmd_compare_Click(); };
    QLineEdit *previous = nullptr;
    for (QLineEdit *field : {m_txtF, m_txtA, m_txtB, m_txtTol, m_txtX0}) {
        EntryField::Attach(field).Hint(field->toolTip()).Hides(m_lblEroare).OnEnter(compare);
        // Results of other inputs never stay on view.
        connect(field, &QLineEdit::textChanged, this, &MethodsWindow::ClearResults);
        if (previous != nullptr)
            setTabOrder(previous, field);
        previous = field;
    }
    setTabOrder(m_txtX0, cmdCompare);
    setTabOrder(cmdCompare, m_summary);
    connect(cmdCompare, &QPushButton::clicked, this, &MethodsWindow::Cmd_compare_Click);
    return grid;
}

QLayout *MethodsWindow::BuildStepControls()
{
    m_lblStep = CaptionLabel(QStringLiteral("lblStep"), QString(), this);
    m_cmdShow = CommandButton(QStringLiteral("cmdShow"), QStringLiteral("Sho&w on graph"),
                              QStringLiteral("Draws the first step of the selected method on a "
                                             "graph of the equation."),
                              this);
    m_cmdShow->setToolTip(QStringLiteral("Draw the selected method's first step on the graph."));
    m_cmdStep = CommandButton(QStringLiteral("cmdStep"), QStringLiteral("&Step"),
                              QStringLiteral("Draws the next step of the selected method."), this);
    m_cmdPlay =
        CommandButton(QStringLiteral("cmdPlay"), QStringLiteral("&Play"),
                      QStringLiteral("Draws the steps one after another, or pauses."), this);
    connect(m_cmdShow, &QPushButton::clicked, this, &MethodsWindow::Cmd_show_Click);
    connect(m_cmdStep, &QPushButton::clicked, this, &MethodsWindow::Cmd_step_Click);
    connect(m_cmdPlay, &QPushButton::clicked, this, &MethodsWindow::Cmd_play_Click);
    auto *row = new QHBoxLayout;
    row->addWidget(m_cmdShow);
    row->addWidget(m_cmdStep);
    row->addWidget(m_cmdPlay);
    row->addStretch(1);
    auto *column = new QVBoxLayout;
    column->addWidget(m_lblStep);
    column->addLayout(row);
    return column;
}

void MethodsWindow::SetColours(const ThemeColours &colours)
{
    FollowTheme(this, colours);
    // The tables take the theme's colours, whose background may be the desktop's selection
    // colour itself: the selected row is shown inverted instead.
    for (QTableWidget *table : {m_summary, m_iterations}) {
        QPalette palette = table->palette();
        palette.setColor(QPalette::Highlight, colours.foreground);
        palette.setColor(QPalette::HighlightedText, colours.background);
        table->setPalette(palette);
    }
}

void MethodsWindow::Cmd_compare_Click()
{
    const MethodsCheck check =
        CheckMethodsInput(m_txtF->text().toStdU16String(), m_txtA->text().toStdU16String(),
                          m_txtB->text().toStdU16String(), m_txtTol->text().toStdU16String(),
                          m_txtX0->text().toStdU16String());
    if (!check.passed) {
        QLineEdit *const fields[] = {m_txtF, m_txtA, m_txtB, m_txtTol, m_txtX0};
        ShowCheckFailure(check.errorText, fields[check.field], check.caret);
        return;
    }
    ClearResults();
    m_lblEroare->Show(false, QString());
    m_input = check.input;
    m_runs = CompareMethods(m_input);
    FillSummary(m_summary, m_runs, DecimalSeparator());
    m_plot->SetRuns(m_runs);
    m_summary->selectRow(0);
    UpdateButtons();
}

void MethodsWindow::ShowCheckFailure(const std::string &text, QLineEdit *field, int caret)
{
    ClearResults();
    m_lblEroare->Show(true, QString::fromStdString(text));
    FocusWithCaret(field, caret);
}

void MethodsWindow::ClearResults()
{
    StopPlaying();
    if (m_step >= 0)
        emit overlayRequested(PlotOverlay{});
    m_step = -1;
    m_runs.clear();
    m_overlays.clear();
    m_summary->setRowCount(0);
    m_iterations->setRowCount(0);
    m_lblIterations->clear();
    m_lblStep->clear();
    m_plot->SetRuns({});
    UpdateButtons();
}

GraphEquation MethodsWindow::ComparedEquation() const
{
    return {QString::fromStdU16String(m_input.expression), m_input.a, m_input.b};
}

int MethodsWindow::SelectedRun() const
{
    const QList<QTableWidgetItem *> selected = m_summary->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->row();
}

void MethodsWindow::SelectionChanged()
{
    const int index = SelectedRun();
    const bool wasShown = m_step >= 0;
    StopPlaying();
    m_step = -1;
    m_lblStep->clear();
    m_plot->SetSelected(index);
    if (index < 0 || index >= static_cast<int>(m_runs.size())) {
        m_overlays.clear();
        m_iterations->setRowCount(0);
        m_lblIterations->clear();
    } else {
        const MethodRun &run = m_runs[static_cast<std::size_t>(index)];
        m_overlays = MethodOverlays(run, m_input.a, m_input.b);
        FillIterations(m_iterations, run, DecimalSeparator());
        m_lblIterations->setText(QStringLiteral("Iterations of %1").arg(MethodCaption(run)));
    }
    // The graph follows the selection: the new method from its first step, or nothing.
    if (wasShown) {
        if (m_overlays.empty())
            emit overlayRequested(PlotOverlay{});
        else
            ShowStep(0);
    }
    UpdateButtons();
}

void MethodsWindow::ShowStep(int step)
{
    m_step = step;
    const PlotOverlay &overlay = m_overlays[static_cast<std::size_t>(step)];
    m_lblStep->setText(overlay.caption);
    // The row of the step's new point, which follows the method's start points.
    const int row = step + m_runs[static_cast<std::size_t>(SelectedRun())].starts;
    m_iterations->setCurrentCell(row, 0);
    emit overlayRequested(overlay);
    UpdateButtons();
}

void MethodsWindow::Cmd_show_Click()
{
    StopPlaying();
    if (!m_overlays.empty())
        ShowStep(0);
}

void MethodsWindow::Cmd_step_Click()
{
    if (m_step + 1 < static_cast<int>(m_overlays.size()))
        ShowStep(m_step + 1);
    if (m_step + 1 >= static_cast<int>(m_overlays.size()))
        StopPlaying();
}

void MethodsWindow::Cmd_play_Click()
{
    if (m_player->isActive()) {
        StopPlaying();
        return;
    }
    if (m_overlays.empty())
        return;
    // From the start once the last step is on view.
    if (m_step + 1 >= static_cast<int>(m_overlays.size()))
        ShowStep(0);
    else
        Cmd_step_Click();
    if (m_step + 1 < static_cast<int>(m_overlays.size())) {
        m_player->start(kPlayInterval);
        m_cmdPlay->setText(QStringLiteral("&Pause"));
    }
}

void MethodsWindow::StopPlaying()
{
    m_player->stop();
    m_cmdPlay->setText(QStringLiteral("&Play"));
    UpdateButtons();
}

void MethodsWindow::UpdateButtons()
{
    const bool steps = !m_overlays.empty();
    m_cmdShow->setEnabled(steps);
    m_cmdStep->setEnabled(steps && m_step + 1 < static_cast<int>(m_overlays.size()));
    m_cmdPlay->setEnabled(steps);
    m_cmdExportSummary->setEnabled(!m_runs.empty());
    m_cmdExportIterations->setEnabled(!m_runs.empty());
}

void MethodsWindow::Cmd_export_Click(bool iterations)
{
    if (m_runs.empty())
        return;
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.title =
        iterations ? QStringLiteral("Export the iterations") : QStringLiteral("Export the summary");
    request.filter = QStringLiteral("CSV files (*.csv)");
    request.defaultSuffix = QStringLiteral("csv");
    request.fileName =
        iterations ? QStringLiteral("iterations.csv") : QStringLiteral("methods.csv");
    const QString path = ChooseFile(this, request);
    if (path.isEmpty())
        return;
    const std::string content = iterations ? IterationsCsv(m_runs) : SummaryCsv(m_runs);
    const std::string failure = WriteFileAtomically(QFile::encodeName(path).toStdString(), content);
    if (!failure.empty())
        ShowMessage(this,
                    QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                        QString::fromLocal8Bit(failure),
                    MessageTextQ(kTextError), MessageIcon::Critical);
}

void MethodsWindow::done(int result)
{
    // Marks of a closed window do not stay on a graph.
    StopPlaying();
    if (m_step >= 0)
        emit overlayRequested(PlotOverlay{});
    m_step = -1;
    QDialog::done(result);
}

} // namespace zv

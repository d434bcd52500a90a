#pragma once

#include "methods/comparison.h"
#include "ui/graphequation.h"
#include "ui/plotoverlay.h"
#include "ui/themecolours.h"

#include <QDialog>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;

namespace zv {

class ConvergencePlot;
class ErrorLabel;

// The "Compare methods" window: bisection, regula falsi, Illinois, the secant, Newton, Brent and
// the program's own search on one equation, side by side: a summary, the iterations of the
// selected method, a plot of their errors, the selected method's steps for a graph window, and
// the tables as CSV files. Not modal.
class MethodsWindow : public QDialog
{
    Q_OBJECT

public:
    // function: the active graph window's function (or empty); interval: its interval, which,
    // with a function, is compared at once.
    MethodsWindow(const QString &function, std::optional<std::pair<double, double>> interval,
                  QWidget *parent = nullptr);

    // The theme's colours, applied now and each time the window becomes active.
    void SetColours(const ThemeColours &colours);

    // The buttons' commands.
    void Cmd_compare_Click();
    void Cmd_show_Click(); // the selected method's first step, from the start
    void Cmd_step_Click(); // its next step (the first when none is shown)
    void Cmd_play_Click(); // steps on a timer to the last, or pauses
    void Cmd_export_Click(bool iterations);

    const std::vector<MethodRun> &Runs() const { return m_runs; }
    // The equation of the last comparison (translated function and [a; b]): the steps are drawn
    // over a graph of it.
    GraphEquation ComparedEquation() const;
    int SelectedRun() const;
    // The step on view, from 0, or -1 when none is.
    int ShownStep() const { return m_step; }

    // Time between two steps of Play.
    static constexpr int kPlayInterval = 800;

signals:
    // One step of the selected method to draw over the graph of f; an empty overlay clears it.
    void overlayRequested(const PlotOverlay &overlay);

protected:
    void done(int result) override;

private:
    void BuildControls();
    QLayout *BuildFields();
    QLayout *BuildStepControls();
    void ShowCheckFailure(const std::string &text, QLineEdit *field, int caret);
    void ClearResults();
    void SelectionChanged();
    void ShowStep(int step);
    void StopPlaying();
    void UpdateButtons();

    QLineEdit *m_txtF = nullptr;
    QLineEdit *m_txtA = nullptr;
    QLineEdit *m_txtB = nullptr;
    QLineEdit *m_txtTol = nullptr;
    QLineEdit *m_txtX0 = nullptr;
    ErrorLabel *m_lblEroare = nullptr;
    QTableWidget *m_summary = nullptr;
    QTableWidget *m_iterations = nullptr;
    QLabel *m_lblIterations = nullptr;
    ConvergencePlot *m_plot = nullptr;
    QLabel *m_lblStep = nullptr;
    QPushButton *m_cmdShow = nullptr;
    QPushButton *m_cmdStep = nullptr;
    QPushButton *m_cmdPlay = nullptr;
    QPushButton *m_cmdExportSummary = nullptr;
    QPushButton *m_cmdExportIterations = nullptr;
    QTimer *m_player = nullptr;

    MethodsInput m_input;
    std::vector<MethodRun> m_runs;
    std::vector<PlotOverlay> m_overlays; // the selected method's steps
    int m_step = -1;
};

} // namespace zv

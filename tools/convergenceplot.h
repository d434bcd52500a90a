#pragma once

#include "methods/methodrun.h"

#include <QWidget>
#include <vector>

namespace zv {

// The errors of each run against its own root, log10 |x_k - root| against k, one line per
// converged run in a colour of its own, with a legend. It paints on its own white paper, as the
// graph window's plot does, so that the colours read the same in every theme.
class ConvergencePlot : public QWidget
{
public:
    explicit ConvergencePlot(QWidget *parent = nullptr);

    // The runs to draw (copied); the selected one (an index into runs, or -1) is drawn bolder.
    void SetRuns(std::vector<MethodRun> runs);
    void SetSelected(int index);

    // The points of a run's line: (k, log10 of its error) where the error is above 0.
    static std::vector<QPointF> Errors(const MethodRun &run);
    // The colour of the run at index i.
    static QColor LineColour(int i);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<MethodRun> m_runs;
    int m_selected = -1;
};

} // namespace zv

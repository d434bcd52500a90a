#pragma once

#include "methods/methodrun.h"

#include <QString>
#include <QStringList>
#include <vector>

class QTableWidget;
class QWidget;

namespace zv {

// A read-only table of whole rows, one selected at a time, named for the theme ("lst...").
QTableWidget *ResultTable(const QString &name, const QStringList &headers, QWidget *parent);

// The shortest text that reads back to value, with the user's decimal separator.
QString NumberText(double value, char16_t separator);

// One row per run: method, root, iterations, evaluations, order, why it stopped.
void FillSummary(QTableWidget *table, const std::vector<MethodRun> &runs, char16_t separator);
// One row per iterate of run: k, x, f(x), the bracket (bracketing methods), |x - root| (runs
// that converged).
void FillIterations(QTableWidget *table, const MethodRun &run, char16_t separator);

} // namespace zv

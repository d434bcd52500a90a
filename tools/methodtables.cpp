#include "tools/methodtables.h"

#include "methods/methodsreport.h"

#include <QHeaderView>
#include <QTableWidget>
#include <cmath>

namespace zv {

namespace {

enum SummaryColumn { kMethodColumn = 0, kStopColumn = 5 };
enum IterationColumn { kK, kX, kFx, kBracket, kError };

// Significant digits of an error: its size is what counts.
constexpr int kErrorDigits = 3;

// Numbers to the right, words and brackets to the left.
void SetRow(QTableWidget *table, int row, const QStringList &cells, QList<int> leftColumns)
{
    for (int column = 0; column < cells.size(); ++column) {
        auto *item = new QTableWidgetItem(cells[column]);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        item->setTextAlignment((leftColumns.contains(column) ? Qt::AlignLeft : Qt::AlignRight) |
                               Qt::AlignVCenter);
        table->setItem(row, column, item);
    }
}

QString WithSeparator(QString text, char16_t separator)
{
    return text.replace(QLatin1Char('.'), QChar(separator));
}

} // namespace

QTableWidget *ResultTable(const QString &name, const QStringList &headers, QWidget *parent)
{
    auto *table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    // Rows of one line of text, as a list shows them.
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->horizontalHeader()->setStretchLastSection(true);
    // The columns are not sorted: a click on a heading does nothing, and Tab passes it by.
    table->horizontalHeader()->setSectionsClickable(false);
    table->horizontalHeader()->setFocusPolicy(Qt::NoFocus);
    table->setWordWrap(false);
    table->setTabKeyNavigation(false); // Tab leaves the table, arrows move in it
    return table;
}

QString NumberText(double value, char16_t separator)
{
    return WithSeparator(QString::fromStdString(ShortestNumber(value)), separator);
}

void FillSummary(QTableWidget *table, const std::vector<MethodRun> &runs, char16_t separator)
{
    table->setRowCount(static_cast<int>(runs.size()));
    for (int row = 0; row < static_cast<int>(runs.size()); ++row) {
        const MethodRun &run = runs[static_cast<std::size_t>(row)];
        SetRow(table, row,
               {QString::fromStdString(MethodName(run)),
                run.Converged() ? NumberText(run.root, separator) : QString(),
                QString::number(run.Steps()), QString::number(run.evaluations),
                run.Converged()
                    ? WithSeparator(QString::fromStdString(OrderText(run.convergence)), separator)
                    : QString(),
                QString::fromStdString(StopText(run))},
               {kMethodColumn, kStopColumn});
    }
    table->resizeColumnsToContents();
}

void FillIterations(QTableWidget *table, const MethodRun &run, char16_t separator)
{
    table->setRowCount(static_cast<int>(run.iterates.size()));
    for (int row = 0; row < static_cast<int>(run.iterates.size()); ++row) {
        const Iterate &iterate = run.iterates[static_cast<std::size_t>(row)];
        const double error = std::fabs(iterate.x - run.root);
        SetRow(
            table, row,
            {QString::number(iterate.k), NumberText(iterate.x, separator),
             std::isfinite(iterate.fx) ? NumberText(iterate.fx, separator) : QString(),
             iterate.lo && iterate.hi
                 ? QStringLiteral("[%1; %2]")
                       .arg(NumberText(*iterate.lo, separator), NumberText(*iterate.hi, separator))
                 : QString(),
             run.Converged() ? WithSeparator(QString::number(error, 'g', kErrorDigits), separator)
                             : QString()},
            {kBracket});
    }
    table->setColumnHidden(kBracket, !IsBracketing(run.method));
    table->setColumnHidden(kError, !run.Converged());
    table->resizeColumnsToContents();
}

} // namespace zv

#pragma once

#include "methods/comparison.h"

#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The texts the comparison is written out in: the console's table and JSON, and the CSV files
// the window exports. Numbers are the shortest decimals that read back to the same double,
// with "." whatever the locale.

std::string ShortestNumber(double value);

// The summary as a table of aligned columns: method, root, iterations, evaluations, order and
// why the method stopped; "-" where a method has no root.
std::string SummaryTable(const std::vector<MethodRun> &runs);

// One JSON object: the function as typed, a, b, the tolerance, x0 and each method's name,
// root (null without one), status word, evaluations, order (null when too few steps or no
// root) and iterations (k, x, fx; fx null where f was not evaluated).
std::string MethodsJson(std::string_view function, const MethodsInput &input,
                        const std::vector<MethodRun> &runs);

// RFC 4180 CSV (CRLF line ends, fields quoted where they hold a comma, quote or line end):
// the summary, one line per method; and every method's iterations, one line per iterate.
std::string SummaryCsv(const std::vector<MethodRun> &runs);
std::string IterationsCsv(const std::vector<MethodRun> &runs);

} // namespace zv

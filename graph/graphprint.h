#pragma once

#include <QSizeF>
#include <string>

class QPagedPaintDevice;

namespace zv {

struct PlotScene;

// The printed graph: the plot at the top of the first page as vector lines, as wide as the
// page (at most half its height), and under it the results file's lines (equation, interval,
// roots), flowing onto further pages when they do not fit. plotSize is the plot's size on the
// screen, in plot units with its frame; results is the results file's text.
void PrintGraph(QPagedPaintDevice &device, const PlotScene &scene, QSizeF plotSize,
                const std::string &results);

} // namespace zv

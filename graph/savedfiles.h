#pragma once

#include <QSize>
#include <QString>
#include <string_view>

namespace zv {

class GraphDocument;
struct PlotScene;

// What saving a graph writes, with or without a window. Each returns empty on success,
// otherwise the failure.

// Writes bytes to path through the one file writer; the failure is "PATH: why".
QString WriteBytes(std::string_view bytes, const QString &path);

// Writes the scene as a picture of that size (plot units, frame included) in the format the
// path's extension names, JPEG for any other; the failure is "PATH: why".
QString SavePicture(const PlotScene &scene, QSize size, const QString &path);

// A save without questions (batch and export): the picture as SavePicture writes it, and the
// document's results file, synced to the disk together; the results only when the picture was
// written. The failure is one line that says which file failed and why, or, with both written,
// that f had a value nowhere on the interval (`named` and the engine's text).
QString SavePictureAndResults(const PlotScene &scene, QSize size, const GraphDocument &document,
                              const QString &picture, const QString &results, const QString &named);

} // namespace zv

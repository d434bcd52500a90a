#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <optional>
#include <string>

namespace zv {

struct PlotScene;

enum class PictureFormat { Jpeg, Png, Svg, Pdf };

// The format a file name's extension names: .jpg or .jpeg, .png, .svg or .pdf, in any letter
// case; nothing for any other.
std::optional<PictureFormat> PictureFormatOf(const QString &fileName);

// The save dialog's filter as description-and-pattern pairs: jpegEntry (the JPEG description)
// first, then PNG, SVG and PDF.
QString PictureDialogFilter(const QString &jpegEntry);

// A picture of the scene, `size` in plot units with the frame, as the bytes of a file: JPEG
// (quality 100, from the pixels of RenderPicture through the bitmap section), PNG (lossless,
// one pixel per plot unit), SVG or PDF (vector: the curve as lines, the texts as text; a PDF of
// one page the picture's size, one point per plot unit). Empty when it cannot be encoded, with
// the reason in failure.
QByteArray EncodePicture(const PlotScene &scene, QSize size, PictureFormat format,
                         std::string &failure);

} // namespace zv

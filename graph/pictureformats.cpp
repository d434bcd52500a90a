#include "graph/pictureformats.h"

#include "export/dibsection.h"
#include "export/jpegwriter.h"
#include "graph/plotscene.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace zv {

namespace {

// PDF and SVG measure in points; one point per plot unit keeps the picture's proportions.
constexpr int kPointsPerInch = 72;
constexpr int kJpegQuality = 100;

QString Title(const PlotScene &scene)
{
    return scene.function + QStringLiteral(" = 0");
}

// The framed scene painted on a device that writes into buffer; the bytes written.
QByteArray Painted(QPaintDevice &device, const QBuffer &buffer, const PlotScene &scene, QSize size)
{
    QPainter painter(&device);
    PaintFramedScene(painter, scene, QSizeF(size));
    painter.end();
    return buffer.data();
}

QByteArray Svg(const PlotScene &scene, QSize size)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(kPointsPerInch);
    svg.setTitle(Title(scene));
    svg.setDescription(QStringLiteral("Zerovane"));
    return Painted(svg, buffer, scene, size);
}

QByteArray Pdf(const PlotScene &scene, QSize size)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kPointsPerInch);
    pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(Title(scene));
    pdf.setCreator(QStringLiteral("Zerovane"));
    return Painted(pdf, buffer, scene, size);
}

QByteArray Png(const PlotScene &scene, QSize size)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!RenderPicture(scene, size).save(&buffer, "PNG"))
        return {};
    return buffer.data();
}

QByteArray Jpeg(const PlotScene &scene, QSize size, std::string &failure)
{
    const QImage image = RenderPicture(scene, size);
    cDIBSection bitmap;
    bitmap.CreateFromPicture(PixelRows{image.constBits(), image.width(), image.height(),
                                       static_cast<int>(image.bytesPerLine())});
    std::string bytes;
    if (!EncodeJpeg(bitmap, kJpegQuality, bytes)) {
        failure = LastJpegError().reason;
        return {};
    }
    return QByteArray::fromStdString(bytes);
}

} // namespace

std::optional<PictureFormat> PictureFormatOf(const QString &fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return PictureFormat::Jpeg;
    if (extension == QLatin1String("png"))
        return PictureFormat::Png;
    if (extension == QLatin1String("svg"))
        return PictureFormat::Svg;
    if (extension == QLatin1String("pdf"))
        return PictureFormat::Pdf;
    return std::nullopt;
}

QString PictureDialogFilter(const QString &jpegEntry)
{
    QString filter;
    for (const QString &description :
         {jpegEntry, QStringLiteral("PNG Files (*.png)"), QStringLiteral("SVG Files (*.svg)"),
          QStringLiteral("PDF Files (*.pdf)")}) {
        // The pattern is the one the description names in brackets.
        const qsizetype open = description.lastIndexOf(u'(');
        const QString pattern = open < 0 ? QString() : description.mid(open + 1).chopped(1);
        if (!filter.isEmpty())
            filter += QChar(u'\0');
        filter += description + QChar(u'\0') + pattern;
    }
    return filter;
}

QByteArray EncodePicture(const PlotScene &scene, QSize size, PictureFormat format,
                         std::string &failure)
{
    if (format == PictureFormat::Jpeg)
        return Jpeg(scene, size, failure);
    PlotScene vectorScene = scene;
    vectorScene.vector = true;
    QByteArray bytes;
    switch (format) {
    case PictureFormat::Png:
        bytes = Png(scene, size);
        break;
    case PictureFormat::Svg:
        bytes = Svg(vectorScene, size);
        break;
    case PictureFormat::Pdf:
        bytes = Pdf(vectorScene, size);
        break;
    case PictureFormat::Jpeg:
        break;
    }
    if (bytes.isEmpty())
        failure = "the picture could not be encoded";
    return bytes;
}

} // namespace zv

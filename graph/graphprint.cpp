// Printing a graph window: the print dialog with its preview, and the pages it shows.
#include "graph/graphprint.h"

#include "graph/graphwindow.h"
#include "graph/graphwindowprivate.h"
#include "graph/plotarea.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

namespace zv {

namespace {

constexpr double kPlotShareOfPage = 0.5;
constexpr double kResultsPointSize = 10.0;

} // namespace

void PrintGraph(QPagedPaintDevice &device, const PlotScene &scene, QSizeF plotSize,
                const std::string &results)
{
    QPainter painter(&device);
    const QRectF page(QPointF(0, 0),
                      device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    const double scale = std::min(page.width() / plotSize.width(),
                                  kPlotShareOfPage * page.height() / plotSize.height());
    PlotScene vectorScene = scene;
    vectorScene.vector = true;
    painter.save();
    painter.scale(scale, scale);
    PaintFramedScene(painter, vectorScene, plotSize);
    painter.restore();

    QFont font = QGuiApplication::font();
    font.setPointSizeF(kResultsPointSize);
    painter.setFont(font);
    const QFontMetricsF metrics(painter.font());
    double y = plotSize.height() * scale + metrics.lineSpacing();
    const QStringList lines = QString::fromStdString(results).split(QStringLiteral("\r\n"));
    for (const QString &line : lines) {
        if (y + metrics.height() > page.height()) {
            device.newPage();
            y = 0;
        }
        painter.drawText(QPointF(0, y + metrics.ascent()), line);
        y += metrics.lineSpacing();
    }
}

void GraphWindow::Print()
{
    if (!EnsureRootsOfView())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *target) {
        PrintGraph(*target, Scene(), QSizeF(m_state->picture->PictureSize()), ResultsFileText());
    });
    preview.exec();
}

} // namespace zv

// The graph window's drawing and the JPEG export of its plot, on Qt's offscreen platform.
// DrawGraph runs as the window runs it, through its Default (Home) command on an unchanged
// view: sample f at precision + 1 points; then the scene is painted once, as a repaint does.
// Built only with the GUI; `make bench` runs it.

#include "engine/evaluator.h"
#include "export/dibsection.h"
#include "export/jpegwriter.h"
#include "graph/graphwindow.h"
#include "graph/plotscene.h"
#include "texts/messagetexts.h"
#include "ui/inputprompt.h"
#include "worstcase.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>

namespace {

// Three functions of the evaluator's suite (its rows 0, 5 and 7), on [-3; 3].
struct PlotCase
{
    const char16_t *text;
    double a, b;
};

constexpr std::array<PlotCase, 3> kSuite{{
    {u"x^2-4", -3, 3},
    {u"sin(x)-cos(x)", -3, 3},
    {u"exp(-x)*sin(3*x)+r(abs(x))", -3, 3},
}};

QAction *FindAction(const zv::GraphWindow &window, const QKeySequence &shortcut)
{
    for (QAction *action : window.actions()) {
        if (action->shortcut() == shortcut)
            return action;
    }
    return nullptr;
}

// A window on the function at the given precision, set as the user sets it (F8).
std::unique_ptr<zv::GraphWindow> OpenAt(const QString &function, double a, double b, int precision)
{
    auto window = std::make_unique<zv::GraphWindow>(zv::GraphEquation{function, a, b});
    zv::SetPromptResponder(
        [precision](const zv::PromptRequest &) { return QString::number(precision); });
    FindAction(*window, QKeySequence(Qt::Key_F8))->trigger();
    zv::SetPromptResponder({});
    return window;
}

void DrawGraph(benchmark::State &state, const QString &function, double a, double b)
{
    const int precision = static_cast<int>(state.range(1));
    const auto window = OpenAt(function, a, b, precision);
    if (window->Precision() != precision) {
        state.SkipWithError("the precision was not taken");
        return;
    }
    QAction *home = window->findChild<QAction *>(QStringLiteral("bHome"));
    // The drawing, then one paint of it at the opening size, as the screen's repaint makes it.
    QImage surface(319, 319, QImage::Format_RGB32);
    for (auto _ : state) {
        home->trigger();
        QPainter painter(&surface);
        zv::PaintScene(painter, window->Scene(), QRectF(0, 0, 319, 319));
    }
}

void BM_DrawGraph(benchmark::State &state)
{
    const PlotCase &c = kSuite[static_cast<size_t>(state.range(0))];
    DrawGraph(state, QString::fromUtf16(c.text), c.a, c.b);
}

// The longest function an entry field holds on [-1000; 1000] (its root scan at load is left
// to the core benchmark: here it only delays the set-up).
void BM_WorstDrawGraph(benchmark::State &state)
{
    DrawGraph(state, QString::fromStdU16String(zv::bench::LongestFunction()), -1000, 1000);
}

// The picture the Save button writes, 321 x 321: our JPEG writer (full colour resolution,
// optimised Huffman tables, written through the program's one file writer, which syncs the
// file and its folder to the disk) against Qt's own JPEG plug-in writing the same picture into
// the same folder at the same quality with optimised tables (and its usual halved colour
// resolution, which Qt does not let us change).
constexpr int kJpegQuality = 100;

QImage SavedPicture()
{
    const auto window = OpenAt(QStringLiteral("x^2-4"), -3, 3, 100);
    return window->SavedPicture();
}

void BM_JpegExport(benchmark::State &state)
{
    const QImage picture = SavedPicture();
    QTemporaryDir folder;
    const std::string path = QDir(folder.path()).filePath(QStringLiteral("plot.jpg")).toStdString();
    for (auto _ : state) {
        const QImage image = picture.convertToFormat(QImage::Format_RGB32);
        zv::cDIBSection bitmap;
        bitmap.CreateFromPicture(zv::PixelRows{image.constBits(), image.width(), image.height(),
                                               static_cast<int>(image.bytesPerLine())});
        if (!zv::SaveJpeg(bitmap, path, kJpegQuality)) {
            state.SkipWithError(zv::LastJpegError().reason.c_str());
            return;
        }
    }
}

void BM_QtJpeg(benchmark::State &state)
{
    const QImage picture = SavedPicture();
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("plot.jpg"));
    for (auto _ : state) {
        QImageWriter writer(path, "JPG");
        writer.setQuality(kJpegQuality);
        writer.setOptimizedWrite(true);
        if (!writer.write(picture)) {
            state.SkipWithError("Qt could not write the picture");
            return;
        }
    }
}

} // namespace

BENCHMARK(BM_DrawGraph)
    ->ArgsProduct({{0, 1, 2}, {100, 800}})
    ->ArgNames({"f", "precision"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WorstDrawGraph)->Args({0, 800})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegExport)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QtJpeg)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zv::FillMessageTexts();
    zv::InitEvaluator();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

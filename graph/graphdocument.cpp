#include "graph/graphdocument.h"

#include "engine/evaluator.h"
#include "graph/resultstext.h"

#include <algorithm>

namespace zv {

bool DrawnPlot::TooSmall() const
{
    return CurveTooSmall(curve, view.a, view.b, view.yMin, view.yMax);
}

GraphDocument::GraphDocument(std::u16string function, double a, double b)
    : m_function(std::move(function))
    , m_homeA(a)
    , m_homeB(b)
{
    m_view = HomeView();
}

ViewExtent GraphDocument::HomeView() const
{
    const VerticalRange range = StandardVerticalRange(m_homeA, m_homeB);
    return {m_homeA, m_homeB, range.yMin, range.yMax};
}

void GraphDocument::Draw()
{
    DrawFrame(m_view, m_precision);
}

void GraphDocument::DrawFrame(const ViewExtent &frame, int precision)
{
    const std::u16string &function = m_function;
    const auto f = [&function](double x, int16_t &code) { return Evaluate(function, x, code); };
    m_drawn.view = frame;
    m_drawn.precision = precision;
    m_drawn.curve = SampleCurve(f, frame.a, frame.b, frame.yMin, frame.yMax, precision);
    if (const auto edges = PlotEdges(frame.a, frame.b, frame.yMin, frame.yMax))
        m_drawn.edges = *edges;
    m_drawn.markedRoots.clear();
}

void GraphDocument::MarkRoot(double x)
{
    std::vector<double> &marked = m_drawn.markedRoots;
    if (std::find(marked.begin(), marked.end(), x) == marked.end())
        marked.push_back(x);
}

void GraphDocument::SearchRoots(char16_t separator, const KeepScanning &keepGoing)
{
    // The search records the interval it started on.
    const ViewExtent view = m_view;
    const RootScanResult scan =
        ScanForRoots(m_function, view.a, view.b, m_precision, separator, keepGoing);
    // f without a value anywhere is no "no root": the engine says why.
    m_roots =
        RootSearch{view.a, view.b, scan.roots, scan.lines, !scan.stopped, scan.NothingEvaluable()};
}

bool GraphDocument::RootsCoverView() const
{
    return m_roots.complete && m_roots.a == m_view.a && m_roots.b == m_view.b;
}

std::string ResultsFileText(const GraphDocument &document, char16_t separator)
{
    return ResultsText(document.Function(), document.View().a, document.View().b,
                       document.Roots().lines, separator, document.Roots().failure);
}

} // namespace zv

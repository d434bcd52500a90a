#pragma once

#include "graph/curvesampling.h"
#include "graph/viewcommands.h"
#include "graph/viewmath.h"
#include "roots/rootscan.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zv {

inline constexpr int kLoadPrecision = 100;

// What one drawing shows: the view and precision it was made for (a frame of the animation, or
// the view itself), the curve sampled there, the plot's edges in world units and the roots
// marked on it since. A view without width or height, or one whose edges overflow, keeps the
// edges of the drawing before it.
struct DrawnPlot
{
    ViewExtent view;
    int precision = kLoadPrecision;
    SampledCurve curve;
    WorldRect edges;
    std::vector<double> markedRoots; // a red disc on y = 0 at each

    // The radius of a root's disc in horizontal world units: 1.25 % of the interval's width.
    double MarkerRadius() const { return (view.b - view.a) * 0.0125; }
    // The drawn part of the curve spans too little of the view to be seen.
    bool TooSmall() const;
};

// The roots of one search and the interval it covered.
struct RootSearch
{
    double a = 0.0;
    double b = 0.0;
    std::vector<double> roots;         // rounded to 6 decimals, in the order found
    std::vector<std::u16string> lines; // the same, as the list shows them
    bool complete = false;             // the search ran to its end (false before the first one)
    int16_t failure = 0; // the engine's code when f had a value at no point of the search, else 0
};

// One equation f(x) = 0 as a graph window studies it, without the window: the function, the
// interval and vertical range on view, the interval it was opened with, the precision, what
// the automatic button does next, the last drawing and the last root search. Plain data and
// the arithmetic on it; the window shows it, and a picture can be painted from it alone.
class GraphDocument
{
public:
    // The state at load: the interval on view and at home [a; b], the standard vertical range,
    // precision 100, the automatic button fitting next. Nothing drawn or searched yet.
    GraphDocument(std::u16string function, double a, double b);

    const std::u16string &Function() const { return m_function; }
    const ViewExtent &View() const { return m_view; }
    double HomeA() const { return m_homeA; }
    double HomeB() const { return m_homeB; }
    int Precision() const { return m_precision; }
    bool AutoPending() const { return m_autoPending; }

    // The view at home: the opening interval with its standard vertical range.
    ViewExtent HomeView() const;
    // Takes view as it is; the window checks a step before it comes here.
    void SetView(const ViewExtent &view) { m_view = view; }
    void SetPrecision(int precision) { m_precision = precision; }
    void SetAutoPending(bool pending) { m_autoPending = pending; }

    // A new drawing of the view at the precision (Draw) or of an animation frame at its own
    // precision (DrawFrame): the curve sampled afresh, the marked roots gone.
    void Draw();
    void DrawFrame(const ViewExtent &frame, int precision);
    const DrawnPlot &Drawn() const { return m_drawn; }
    // A disc at (x, 0) until the next drawing; one for a root marked again.
    void MarkRoot(double x);

    void SetRoots(RootSearch search) { m_roots = std::move(search); }
    // Searches the interval on view for roots at the precision (ScanForRoots, the lines written
    // with separator) and keeps what it found as the last search.
    void SearchRoots(char16_t separator, const KeepScanning &keepGoing = {});
    const RootSearch &Roots() const { return m_roots; }
    // Whether the last search ran to its end over the interval on view now.
    bool RootsCoverView() const;

private:
    std::u16string m_function;
    ViewExtent m_view;
    double m_homeA;
    double m_homeB;
    int m_precision = kLoadPrecision;
    bool m_autoPending = true;
    DrawnPlot m_drawn;
    RootSearch m_roots;
};

// The results file of a document (see ResultsText): its function, the interval on view and the
// lines of its last search.
std::string ResultsFileText(const GraphDocument &document, char16_t separator);

} // namespace zv

#pragma once

#include "ui/graphequation.h"
#include "ui/themecolours.h"

#include <QImage>
#include <QWidget>
#include <optional>
#include <string>

class QAction;
class QMouseEvent;

namespace zv {

class GraphDocument;
struct PlotOverlay;
struct PlotScene;
struct ViewExtent;

// One equation f(x) = 0 with its interval, plot and root list; a child of the main window.
// The constructor copies the equation it is opened with and runs the load (standard vertical
// range, status texts, DrawGraph, FindRoots). What lies outside the window (the Evaluate and
// Newton windows) it asks for through its signals.
class GraphWindow : public QWidget
{
    Q_OBJECT

public:
    explicit GraphWindow(const GraphEquation &equation, QWidget *parent = nullptr);
    ~GraphWindow() override;

    // The theme's colours, applied now and again each time the window becomes active.
    void SetColours(const ThemeColours &colours);
    // Whether the plot carries a grid with numbered ticks on its axes (off at opening).
    void SetGridShown(bool shown);
    // Marks drawn over the curve (one step of a numerical method) until the next overlay; they
    // stay through every change of the view. An empty overlay clears them.
    void SetOverlay(const PlotOverlay &overlay);

    // The equation, its view, the last drawing and the last root search.
    const GraphDocument &Document() const;
    // What the plot shows now, as every picture of it is painted.
    PlotScene Scene() const;

    QString Get_f() const; // the function text, as handed over
    double Get_a() const;  // the interval on view now (after any zoom or move)
    double Get_b() const;

    // The vertical range on view and the drawing precision.
    double YMin() const;
    double YMax() const;
    int Precision() const;

    // Whether the animated graphic is playing (the window ignores input meanwhile).
    bool AnimationPlaying() const;

    // Status bar panel 1 to 3 as it reads now; empty for any other index.
    QString PanelText(int index) const;
    // Puts text on panel index (1 to 3) unless the panel already reads the same apart from
    // letter case; lbl2 and lbl3 repeat what panels 2 and 3 take this way.
    void SetPanelText(int index, const QString &text);

    // The tool bar's Save: asks for a file name, writes the plot in the format its extension
    // names (JPEG unless it names PNG, SVG or PDF) and the results beside it (the chosen name
    // followed by ".txt"), and from then on draws on a plain background. Reports a file that
    // could not be written in one message box.
    void SaveGraph();
    // Batch saving without questions: si followed by ".jpg" and, if that was written, si
    // followed by ".txt". The saved picture stays as the plot's background. Returns empty on
    // success, otherwise one line saying which file failed and why, or, with both written,
    // that f could be evaluated nowhere on the interval (si and the engine's text).
    QString auto_save(const QString &si);
    // The same for a picture in the format its extension names, and the results under its name
    // followed by ".txt" (a failure line for f without a value names the picture).
    QString ExportPicture(const QString &picture);

    // What a save writes, without saving: the plot area as the screen shows it (at its present
    // size in plot units, 321 x 321 at the opening size, border and background included), and
    // the results file's bytes (CR LF line ends).
    QImage SavedPicture() const;
    std::string ResultsFileText() const;

    // Puts the picture and the results text on the clipboard in one go, as a save would write
    // them (Ctrl+C, or Copy in the root list's context menu).
    void CopyToClipboard();
    // The print dialog with a preview: the plot on the page with the equation, the interval
    // and the roots under it.
    void Print();
    // Saving, copying and printing first search the interval on view for roots when the last
    // search covered another one or was stopped, so that what they write lists the roots of the
    // interval it names; a search the user stops ends them with nothing written.

    // The window's size at opening: the plot 321 x 321 beside its column of controls.
    QSize sizeHint() const override;

signals:
    // The tool bar's Evaluate button: the Evaluate window for this window's function.
    void evaluateRequested();
    // A click inside the plot: the Newton window for this window's function from x.
    void approximateRequested(double x);

protected:
    bool event(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void BuildControls();
    void BuildToolbar();
    void ConnectSaveButton();
    void ConnectCopy();
    void Load();
    void FollowSubWindowActivation();
    void Activate();
    void ShowIntervalPanels(const ViewExtent &view);
    void ShowScene();
    // The plot's accessible description, after each change of the view and each root search.
    void DescribePlot();
    // Where the window draws the frame that shows the plot or the list has the focus.
    QRectF FocusFrame(const QWidget *control) const;
    bool EnsureRootsOfView();
    // Writes both files; a failure line names `named` when f could be evaluated nowhere.
    QString SavePictureAndResults(const QString &picture, const QString &results,
                                  const QString &named);

    void DrawGraph();
    void DrawFrame(const ViewExtent &frame, int precision);
    void FindRoots();
    void MarkRoot(double x);

    // Navigation: tool bar, keys, the mouse on the plot and the animation (graphnavigation.cpp).
    void ConnectNavigation();
    void ConnectKeys();
    enum class ViewChange { Command, Fit, Frame };
    bool ShowView(const std::optional<ViewExtent> &view, ViewChange change = ViewChange::Command);
    void Zoom(double factor);
    void Move(int horizontal, int vertical);
    void GoHome();
    void ToggleAutomatic();
    void ChoosePrecision(int precision);
    void AskNewInterval();
    void AskNewPrecision();
    void ShowButtonDescription(const QAction *button);
    void ShowDescriptionUnderPointer(QAction *button);
    void PlotPointerMoved(double x, double y);
    void PlotPressed(double x, double y);
    void PlotWheelTurned(int notches, double x, double y);
    void PlayAnimation();

    struct State;
    State *m_state; // owned; see graphwindowprivate.h
};

} // namespace zv

#pragma once

#include <QWidget>

class QMouseEvent;

namespace zv {

// One equation f(x) = 0 with its interval, plot and root list; a child of the main window.
// Created right after PendingGraph() was filled: the constructor copies it and runs the load
// (standard vertical range, status texts, DrawGraph, FindRoots).
class GraphWindow : public QWidget
{
    Q_OBJECT

public:
    explicit GraphWindow(QWidget *parent = nullptr);
    ~GraphWindow() override;

    QString Get_f() const; // the function text, as handed over
    double Get_a() const;  // the interval on view now (after any zoom or move)
    double Get_b() const;

    // The vertical range on view and the drawing precision.
    double YMin() const;
    double YMax() const;
    int Precision() const;

    // Status bar panel 1 to 3 as it reads now; empty for any other index.
    QString PanelText(int index) const;
    // Puts text on panel index (1 to 3) unless the panel already reads the same apart from
    // letter case; lbl2 and lbl3 repeat what panels 2 and 3 take this way.
    void SetPanelText(int index, const QString &text);

protected:
    bool event(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void BuildControls();
    void BuildToolbar();
    void Load();
    void FollowSubWindowActivation();
    void Activate();
    void ShowIntervalPanels();

    void DrawGraph();
    void FindRoots();
    void MarkRoot(double x);

    struct State;
    State *m_state; // owned; see graphwindow.cpp
};

} // namespace zv

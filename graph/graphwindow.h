#pragma once

#include <QWidget>

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

private:
    struct State;
    State *m_state; // owned; see graphwindow.cpp
};

} // namespace zv

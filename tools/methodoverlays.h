#pragma once

#include "methods/methodrun.h"
#include "ui/plotoverlay.h"

#include <QString>
#include <vector>

namespace zv {

// The method's name as a caption begins ("Regula falsi", "Newton (multiplicity 3)").
QString MethodCaption(const MethodRun &run);

// The marks of each step of a run over the graph of f, one overlay per step: the bracket the
// step works in (bracketing methods), the line whose zero it takes (the tangent for Newton, the
// chord for the secant, regula falsi and Illinois), the points it starts from and reaches, and
// a caption such as "Newton: step 3 of 6". a and b: the interval the run was given.
std::vector<PlotOverlay> MethodOverlays(const MethodRun &run, double a, double b);

} // namespace zv

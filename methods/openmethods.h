#pragma once

#include "methods/methodrun.h"

#include <string_view>

namespace zv {

// The open methods: they keep no bracket, so they may leave [a; b] (the interval serves only
// to tell when they diverge). Each stops once a step is within tolerance or f is exactly 0,
// or on a flat tangent or chord, a cycle, divergence, a failed evaluation or kMaxSteps steps.

// The secant through the last two points, from x0 and x1.
MethodRun Secant(std::u16string_view expression, double a, double b, double tolerance, double x0,
                 double x1);
// The secant's second point: the end of [a; b] farther from x0.
double SecantSecondPoint(double a, double b, double x0);

// Newton's steps x - m f/f' from x0 with the numerical derivative (four evaluations of f
// each); m = 1 is plain Newton. A plain run whose steps shrank by a steady ratio records the
// multiplicity that ratio shows (diagnosedMultiplicity).
MethodRun Newton(std::u16string_view expression, double a, double b, double tolerance, double x0,
                 int multiplicity = 1);

} // namespace zv

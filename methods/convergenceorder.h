#pragma once

#include "methods/methodrun.h"

namespace zv {

// Errors of at least this many times the root's own uncertainty are trusted.
inline constexpr double kTrustedError = 100;
// Errors below this many rounding units of the root are noise, whatever the method.
inline constexpr double kRoundingErrors = 64;
// Fewer trusted pairs of successive errors than this are "too few steps".
inline constexpr int kMinErrorPairs = 3;
// Superlinear convergence is read from the last pairs of errors: bisection's order over this
// many, jumping about, never reaches kLinearOrderBelow.
inline constexpr int kTailPairs = 6;
// A measured order below this is linear convergence, reported with its ratio when there are
// at least kMinLinearPairs pairs to read it from.
inline constexpr int kMinLinearPairs = 8;
inline constexpr double kLinearOrderBelow = 1.25;
// The largest step ratio the root's uncertainty is read with (0.9: a tenfold root).
inline constexpr double kLinearRatioCap = 0.9;

// The order of convergence that a converged run's iterates show against its root: the slope q
// of log e_{k+1} against log e_k (e_{k+1} = C e_k^q, whatever C), over the errors well above
// the root's own uncertainty (read from its last steps), over the last kTailPairs pairs, or
// over all when that is linear. For linear convergence, the ratio is the mean factor per step
// (the slope of log e_k against k). Nothing for runs that did not converge or made too few
// steps.
ConvergenceOrder MeasureOrder(const MethodRun &run);

} // namespace zv

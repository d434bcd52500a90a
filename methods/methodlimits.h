#pragma once

namespace zv {

// What every method of the comparison is held to.
inline constexpr int kMaxSteps = 100;
// A step within this many rounding units of x meets any tolerance: the doubles near x are
// no closer together.
inline constexpr double kRoundingUnits = 4;
// The longest cycle the open methods look for, and how much closer than its width its points
// must come back to count.
inline constexpr int kMaxCyclePeriod = 8;
inline constexpr double kCycleTightness = 1e-3;
// Iterates that, this many steps in a row, lie outside [a; b] each farther away than the one
// before, the last beyond the interval's width, count as diverging.
inline constexpr int kDivergingSteps = 5;

} // namespace zv

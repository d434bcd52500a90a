#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace zv {

// Newton's method reaches a root of multiplicity m only linearly: each error, and each step,
// is (m-1)/m of the one before. Ratios that hold steady at such a value tell m, and the step
// x - m f/f' then converges fast again.
inline constexpr int kSteadyRatios = 4;            // consecutive ratios that must agree
inline constexpr double kSteadyRatioSpread = 1e-3; // how far they may stray from each other
inline constexpr int kMaxMultiplicity = 10;        // ratios up to 0.9
// How far 1/(1 - ratio) may lie from the whole number m it is taken for.
inline constexpr double kMultiplicitySlack = 0.2;

struct MultipleRoot
{
    int multiplicity = 0; // 2 to kMaxMultiplicity
    std::size_t last = 0; // the index of the stretch's last ratio
};

// Looks through ratios (successive errors or steps; NaN where there is none) for a stretch of
// kSteadyRatios that agree, keep their sign (steps that change direction circle a point rather
// than creep to it) and stand for a multiplicity: the first such stretch, or the latest.
std::optional<MultipleRoot> SteadyRatios(std::span<const double> ratios, bool latest);

// The same on Newton iterates x0, x1, ... through their step ratios, taking the first stretch:
// the iteration had settled into its linear pace there while f' was still read well (it fades
// with f towards the root). `last` is then the index of the stretch's last point.
std::optional<MultipleRoot> SteadyLinearSteps(std::span<const double> iterates);

} // namespace zv

#include "roots/multiplicity.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zv {

namespace {

std::optional<MultipleRoot> SteadyStretchEndingAt(std::span<const double> ratios, std::size_t end)
{
    const auto stretch = ratios.subspan(end - kSteadyRatios, kSteadyRatios);
    const auto [least, most] = std::minmax_element(stretch.begin(), stretch.end());
    // NaN fails every comparison, so a missing ratio breaks the stretch.
    if (!(*least > 0) || !(*most - *least <= kSteadyRatioSpread))
        return std::nullopt;
    double sum = 0;
    for (double ratio : stretch)
        sum += ratio;
    const double ratio = sum / kSteadyRatios;
    const double estimate = 1.0 / (1.0 - ratio);
    const double m = std::round(estimate);
    if (!(m >= 2 && m <= kMaxMultiplicity) || std::fabs(estimate - m) > kMultiplicitySlack)
        return std::nullopt;
    return MultipleRoot{static_cast<int>(m), end - 1};
}

} // namespace

std::optional<MultipleRoot> SteadyRatios(std::span<const double> ratios, bool latest)
{
    const std::size_t count = ratios.size();
    for (std::size_t i = kSteadyRatios; i <= count; ++i)
        if (auto found = SteadyStretchEndingAt(ratios, latest ? count + kSteadyRatios - i : i))
            return found;
    return std::nullopt;
}

std::optional<MultipleRoot> SteadyLinearSteps(std::span<const double> iterates)
{
    if (iterates.size() < 3)
        return std::nullopt;
    std::vector<double> ratios;
    ratios.reserve(iterates.size() - 2);
    for (std::size_t i = 0; i + 2 < iterates.size(); ++i)
        ratios.push_back((iterates[i + 2] - iterates[i + 1]) / (iterates[i + 1] - iterates[i]));
    auto found = SteadyRatios(ratios, false);
    if (found)
        found->last += 2; // ratio i ends at point i + 2
    return found;
}

} // namespace zv

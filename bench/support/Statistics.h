// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace zorvikta::bench {

// The value below which `fraction` of the values lie, interpolated between neighbours.
inline double percentile(const std::vector<double>& values, double fraction)
{
    if (values.empty())
        return 0.0;
    std::vector<double> sorted(values);
    std::sort(sorted.begin(), sorted.end());
    const double rank = fraction * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(rank));
    const auto above = static_cast<std::size_t>(std::ceil(rank));
    return sorted[below] + (sorted[above] - sorted[below]) * (rank - static_cast<double>(below));
}

inline double median(const std::vector<double>& values)
{
    return percentile(values, 0.5);
}

} // namespace zorvikta::bench

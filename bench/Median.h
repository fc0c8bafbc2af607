#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace korvel::bench {

// The median of `values`: the middle one, or the mean of the two middle ones.
inline double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

} // namespace korvel::bench

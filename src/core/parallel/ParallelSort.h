#pragma once

#include "core/parallel/OnThreads.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

namespace hollowsweep {

// A stable sort on several threads: each sorts a slice of the items, then
// neighbouring slices are merged, pairs of them at once, until one is left.
// Equal items keep their order, as std::stable_sort keeps them.
template <class T, class Less>
void ParallelStableSort(std::span<T> items, Less less, unsigned threads) {
    constexpr std::size_t LeastSlice = 16384;
    const std::size_t slices =
        std::clamp<std::size_t>(items.size() / LeastSlice, 1, std::max(threads, 1U));
    if (slices == 1) {
        std::stable_sort(items.begin(), items.end(), less);
        return;
    }
    std::vector<std::size_t> bounds;
    for (std::size_t i = 0; i <= slices; ++i) {
        bounds.push_back(items.size() * i / slices);
    }
    OnThreads(slices, [&](std::size_t slice) {
        std::stable_sort(items.begin() + static_cast<std::ptrdiff_t>(bounds[slice]),
                         items.begin() + static_cast<std::ptrdiff_t>(bounds[slice + 1]), less);
    });
    std::vector<T> scratch(items.size());
    std::span<T> from = items;
    std::span<T> to(scratch);
    while (bounds.size() > 2) {
        // An odd slice out merges with nothing: it is copied as it is.
        const std::size_t sorted = bounds.size() - 1;
        OnThreads((sorted + 1) / 2, [&](std::size_t pair) {
            const std::size_t first = bounds[2 * pair];
            const std::size_t middle = bounds[std::min(2 * pair + 1, sorted)];
            const std::size_t last = bounds[std::min(2 * pair + 2, sorted)];
            const auto at = [](std::span<T> span, std::size_t i) {
                return span.begin() + static_cast<std::ptrdiff_t>(i);
            };
            std::merge(at(from, first), at(from, middle), at(from, middle), at(from, last),
                       at(to, first), less);
        });
        std::vector<std::size_t> merged;
        for (std::size_t i = 0; i < bounds.size(); i += 2) {
            merged.push_back(bounds[i]);
        }
        if (merged.back() != bounds.back()) {
            merged.push_back(bounds.back());
        }
        bounds = std::move(merged);
        std::swap(from, to);
    }
    if (from.data() != items.data()) {
        std::copy(from.begin(), from.end(), items.begin());
    }
}

} // namespace hollowsweep

#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace hollowsweep {

// The list's sort: a top-down merge sort that splits a run of n items into its
// first n/2 (rounded down) and the rest, sorts both the same way, and merges by
// asking takeFirst(headOfFirstRun, headOfSecondRun) whether the first run's head
// goes next. The comparisons it serves are not a consistent ordering, so the
// order it yields is part of the program's behaviour and no other algorithm may
// stand in for it.
namespace detail {

template <class T, class TakeFirst>
void MergeRuns(std::span<const T> first, std::span<const T> second, T* out, TakeFirst& takeFirst) {
    std::size_t a = 0;
    std::size_t b = 0;
    while (a < first.size() && b < second.size()) {
        *out++ = takeFirst(first[a], second[b]) ? first[a++] : second[b++];
    }
    while (a < first.size()) {
        *out++ = first[a++];
    }
    while (b < second.size()) {
        *out++ = second[b++];
    }
}

// Sorts source into target; both hold the same items on entry, and the roles
// swap on every level so that no level copies back.
template <class T, class TakeFirst>
void SortInto(std::span<T> source, std::span<T> target, TakeFirst& takeFirst) {
    const std::size_t count = source.size();
    if (count < 2) {
        return;
    }
    const std::size_t half = count / 2;
    SortInto(target.first(half), source.first(half), takeFirst);
    SortInto(target.subspan(half), source.subspan(half), takeFirst);
    MergeRuns<T>(source.first(half), source.subspan(half), target.data(), takeFirst);
}

} // namespace detail

template <class T, class TakeFirst> void MergeSort(std::span<T> items, TakeFirst takeFirst) {
    if (items.size() < 2) {
        return;
    }
    std::vector<T> scratch(items.begin(), items.end());
    detail::SortInto(std::span<T>(scratch), items, takeFirst);
}

} // namespace hollowsweep

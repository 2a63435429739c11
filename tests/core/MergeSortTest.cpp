#include "core/results/MergeSort.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace hollowsweep;

namespace {

// The merge rule written the obvious way, copying runs at every level.
template <class TakeFirst> std::vector<int> PlainMergeSort(std::vector<int> items, TakeFirst take) {
    if (items.size() < 2) {
        return items;
    }
    const auto half = static_cast<std::ptrdiff_t>(items.size() / 2);
    const auto first = PlainMergeSort(std::vector<int>(items.begin(), items.begin() + half), take);
    const auto second = PlainMergeSort(std::vector<int>(items.begin() + half, items.end()), take);
    std::vector<int> merged;
    std::size_t a = 0;
    std::size_t b = 0;
    while (a < first.size() && b < second.size()) {
        merged.push_back(take(first[a], second[b]) ? first[a++] : second[b++]);
    }
    merged.insert(merged.end(), first.begin() + static_cast<std::ptrdiff_t>(a), first.end());
    merged.insert(merged.end(), second.begin() + static_cast<std::ptrdiff_t>(b), second.end());
    return merged;
}

std::vector<int> Sorted(std::vector<int> items, auto take) {
    MergeSort(std::span<int>(items), take);
    return items;
}

// A number comparison that never answers "equal", as the list's number columns do.
int NeverEqual(int a, int b) {
    return a / 10 > b / 10 ? 1 : -1;
}

} // namespace

TEST(MergeSort, EqualKeysThatCompareAsLessKeepTheirOrderAscendingAndReverseDescending) {
    // 11, 12 and 13 have the same key; NeverEqual answers -1 for them either way round.
    const std::vector<int> items = {11, 12, 13};
    EXPECT_EQ(Sorted(items, [](int a, int b) { return NeverEqual(a, b) <= 0; }), items);
    EXPECT_EQ(Sorted(items, [](int a, int b) { return NeverEqual(a, b) >= 0; }),
              (std::vector<int>{13, 12, 11}));
}

TEST(MergeSort, FollowsTheMergeRuleExactlyForInconsistentComparisons) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::vector<int> items(random() % 70);
        for (auto& item : items) {
            item = static_cast<int>(random() % 60);
        }
        const auto ascending = [](int a, int b) {
            return NeverEqual(a, b) <= 0;
        };
        const auto descending = [](int a, int b) {
            return NeverEqual(a, b) >= 0;
        };
        EXPECT_EQ(Sorted(items, ascending), PlainMergeSort(items, ascending));
        EXPECT_EQ(Sorted(items, descending), PlainMergeSort(items, descending));
    }
}

TEST(MergeSort, IsStableForAConsistentOrder) {
    std::mt19937 random(11);
    std::vector<int> items(1000);
    for (auto& item : items) {
        item = static_cast<int>(random() % 5000);
    }
    auto expected = items;
    const auto byTens = [](int a, int b) {
        return a / 10 < b / 10;
    };
    std::stable_sort(expected.begin(), expected.end(), byTens);
    EXPECT_EQ(Sorted(items, [](int a, int b) { return a / 10 <= b / 10; }), expected);
}

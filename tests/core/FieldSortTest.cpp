#include "core/results/FieldSort.h"

#include "core/parallel/ParallelSort.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace hollowsweep;

namespace {

// Texts that sort apart only by case, by bytes above 127, by length or not
// at all, numbers with ties and unreadable ones, in a scrambled order.
ResultList MixedList(std::size_t count, bool withKinds) {
    const std::vector<std::string> texts = {"d19", "D2",  "d2",  "",         "abc", "ABC",
                                            "ab",  "a_b", "a[b", "\xc3\xa9", "1,5", "1.5",
                                            "10",  "9",   "-3",  "007",      "z",   "Z"};
    std::mt19937 random(7);
    ResultList list;
    for (std::size_t i = 0; i < count; ++i) {
        ResultRecord record = ResultRecord::ForFolder("/t/" + texts[random() % texts.size()]);
        for (FieldIndex field = 2; field < FieldCount; ++field) {
            record.SetField(field, texts[random() % texts.size()]);
        }
        record.SetField(FileType, withKinds && random() % 3 == 0 ? "file" : "");
        list.Append(std::move(record)).Record.SetField(Description, std::to_string(i));
    }
    return list;
}

std::vector<std::string> Order(const ResultList& list) {
    std::vector<std::string> order;
    for (const ResultEntry& entry : list) {
        order.emplace_back(entry.Record.Field(Description));
    }
    return order;
}

} // namespace

// Every field in both directions gives what the merge rule with the entry
// comparison gives, ties and inconsistent cases included.
TEST(FieldSort, GivesTheMergeRulesOrderForEveryField) {
    LocaleReaders readers;
    readers.Numbers = {",", "."};
    readers.ReadDateTime = [](std::string_view text) -> std::optional<double> {
        if (text.empty() || text.front() < '0' || text.front() > '9') {
            return std::nullopt;
        }
        return static_cast<double>(text.size());
    };
    for (const bool withKinds : {false, true}) {
        for (FieldIndex field = 0; field < FieldCount; ++field) {
            for (const auto direction : {SortDirection::Ascending, SortDirection::Descending}) {
                ResultList sorted = MixedList(301, withKinds);
                ResultList reference = MixedList(301, withKinds);
                SortByField(sorted, field, direction, readers);
                reference.Sort(
                    [&](const ResultEntry& a, const ResultEntry& b) {
                        return CompareEntries(a.Record, b.Record, field, direction, readers);
                    },
                    direction);
                EXPECT_EQ(Order(sorted), Order(reference))
                    << "field " << int(field) << (withKinds ? " with kinds" : "")
                    << (direction == SortDirection::Ascending ? " ascending" : " descending");
            }
        }
    }
}

TEST(FieldSort, SortsTextIgnoringTheCaseOfLettersOnly) {
    ResultList list;
    for (const char* path : {"/b", "/C", "/a_", "/A", "/a", "/B"}) {
        list.Append(ResultRecord::ForFolder(path));
    }
    SortByField(list, FullPath, SortDirection::Ascending, {});
    std::vector<std::string_view> paths;
    for (const ResultEntry& entry : list) {
        paths.push_back(entry.Record.Path());
    }
    EXPECT_EQ(paths, (std::vector<std::string_view>{"/A", "/a", "/a_", "/b", "/B", "/C"}));
}

// Slices on several threads, an odd one among them, merge into one stable order.
TEST(ParallelStableSort, KeepsEqualItemsInTheirOrderOnAnyNumberOfThreads) {
    std::mt19937 random(3);
    constexpr int Count = 100'000;
    std::vector<std::pair<int, int>> items;
    items.reserve(Count);
    for (int i = 0; i < Count; ++i) {
        items.emplace_back(static_cast<int>(random() % 1000), i);
    }
    auto expected = items;
    const auto byKey = [](const auto& a, const auto& b) {
        return a.first < b.first;
    };
    std::stable_sort(expected.begin(), expected.end(), byKey);
    for (const unsigned threads : {1U, 2U, 3U, 5U}) {
        auto sorted = items;
        ParallelStableSort(std::span(sorted), byKey, threads);
        EXPECT_EQ(sorted, expected) << threads << " threads";
    }
}

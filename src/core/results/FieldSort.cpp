#include "core/results/FieldSort.h"

#include "core/parallel/ParallelSort.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace hollowsweep {

namespace {

unsigned SortThreads() {
    return std::max(std::thread::hardware_concurrency(), 1U);
}

bool AllOfOneKind(const ResultList& list) {
    if (list.Empty()) {
        return true;
    }
    const std::string_view first = TrimmedKind(list.At(0).Record);
    return std::all_of(list.begin(), list.end(), [first](const ResultEntry& entry) {
        return TrimmedKind(entry.Record) == first;
    });
}

// A text's sort key: its first eight bytes after the part every text shares,
// case-folded, as a big-endian number padded with zero bytes. Most
// comparisons then compare two numbers and touch no text; where they tie, the
// texts decide.
struct TextKey {
    std::uint64_t Head;
    std::uint32_t Entry;
};

unsigned char Folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

std::size_t SharedLength(const ResultList& list, FieldIndex field) {
    const std::string_view first = list.At(0).Record.Field(field);
    std::size_t shared = first.size();
    for (const ResultEntry& entry : list) {
        const std::string_view text = entry.Record.Field(field);
        std::size_t i = 0;
        const std::size_t most = std::min(shared, text.size());
        while (i < most && Folded(text[i]) == Folded(first[i])) {
            ++i;
        }
        shared = i;
    }
    return shared;
}

std::uint64_t HeadOf(std::string_view text) {
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < sizeof head; ++i) {
        head = (head << 8U) | (i < text.size() ? Folded(text[i]) : 0U);
    }
    return head;
}

// Case-insensitive text as the comparison reads it: a to z as A to Z, bytes
// unsigned. Ties keep their order in both directions, as the merge rule keeps
// them.
std::vector<std::uint32_t> TextOrder(const ResultList& list, FieldIndex field,
                                     SortDirection direction) {
    const std::size_t shared = SharedLength(list, field);
    std::vector<TextKey> keys;
    keys.reserve(list.Count());
    for (const ResultEntry& entry : list) {
        const std::string_view text = entry.Record.Field(field);
        keys.push_back({HeadOf(text.substr(std::min(shared, text.size()))),
                        static_cast<std::uint32_t>(keys.size())});
    }
    const auto before = [&list, field](const TextKey& a, const TextKey& b) {
        if (a.Head != b.Head) {
            return a.Head < b.Head;
        }
        return CompareTextIgnoringCase(list.At(a.Entry).Record.Field(field),
                                       list.At(b.Entry).Record.Field(field)) < 0;
    };
    if (direction == SortDirection::Ascending) {
        ParallelStableSort(std::span(keys), before, SortThreads());
    } else {
        ParallelStableSort(
            std::span(keys), [&before](const TextKey& a, const TextKey& b) { return before(b, a); },
            SortThreads());
    }
    std::vector<std::uint32_t> order(keys.size());
    std::transform(keys.begin(), keys.end(), order.begin(),
                   [](const TextKey& key) { return key.Entry; });
    return order;
}

struct NumberKey {
    double Number;
    std::uint32_t Entry;
};

// Numbers, what does not read counting as 0. Equal numbers give -1 either
// way round, so ascending keeps their order and descending turns it round:
// descending is the ascending order backwards. Nothing when a number does not
// compare with itself.
std::optional<std::vector<std::uint32_t>> NumberOrder(const ResultList& list, FieldIndex field,
                                                      SortDirection direction,
                                                      const NumberFormat& format) {
    std::vector<NumberKey> keys;
    keys.reserve(list.Count());
    std::uint32_t index = 0;
    for (const ResultEntry& entry : list) {
        const double number = ReadLocaleNumber(entry.Record.Field(field), format).value_or(0);
        if (std::isnan(number)) {
            return std::nullopt;
        }
        keys.push_back({number, index++});
    }
    ParallelStableSort(
        std::span(keys), [](const NumberKey& a, const NumberKey& b) { return a.Number < b.Number; },
        SortThreads());
    std::vector<std::uint32_t> order(keys.size());
    std::transform(keys.begin(), keys.end(), order.begin(),
                   [](const NumberKey& key) { return key.Entry; });
    if (direction == SortDirection::Descending) {
        std::reverse(order.begin(), order.end());
    }
    return order;
}

std::optional<std::vector<std::uint32_t>> FastOrder(const ResultList& list, FieldIndex field,
                                                    SortDirection direction,
                                                    const LocaleReaders& readers) {
    if (list.Count() > UINT32_MAX || !AllOfOneKind(list)) {
        return std::nullopt;
    }
    switch (KindOf(field)) {
    case FieldKind::Text:
        return TextOrder(list, field, direction);
    case FieldKind::Number:
        return NumberOrder(list, field, direction, readers.Numbers);
    case FieldKind::DateTime:
    case FieldKind::Kind:
        break;
    }
    return std::nullopt;
}

} // namespace

void SortByField(ResultList& list, FieldIndex field, SortDirection direction,
                 const LocaleReaders& readers) {
    if (auto order = FastOrder(list, field, direction, readers)) {
        list.Reorder(*order);
        return;
    }
    list.Sort(
        [&](const ResultEntry& a, const ResultEntry& b) {
            return CompareEntries(a.Record, b.Record, field, direction, readers);
        },
        direction);
}

} // namespace hollowsweep

#pragma once

#include "core/results/FieldCatalog.h"
#include "core/results/FieldText.h"
#include "core/results/ResultList.h"

#include <functional>
#include <optional>
#include <string_view>

namespace hollowsweep {

// Reads a date and time as the user's locale writes it, as days; nothing when
// the text is not one.
using DateTimeReader = std::function<std::optional<double>(std::string_view)>;

struct LocaleReaders {
    NumberFormat Numbers;
    DateTimeReader ReadDateTime;
};

// The order of two entries for a header click, for the list's merge rule: an
// entry of kind "folder" goes before any other kind in both directions; then
// the sort field decides, as text (letter case of a to z ignored), as number
// (what does not read counts as 0; equal numbers give -1) or as date (an empty
// date first). Only the sign counts, and the relation is not a consistent
// order, so only the merge rule gives the intended result.
int CompareEntries(const ResultRecord& a, const ResultRecord& b, FieldIndex sortField,
                   SortDirection direction, const LocaleReaders& readers);

// How the sort reads a field.
enum class FieldKind { Text, Number, DateTime, Kind };
FieldKind KindOf(FieldIndex field);

// The entry's kind ("File Type") as the sort reads it: without leading and
// trailing blanks and control characters.
std::string_view TrimmedKind(const ResultRecord& record);

// Byte-wise comparison with a to z read as A to Z and no other folding.
int CompareTextIgnoringCase(std::string_view a, std::string_view b);

} // namespace hollowsweep

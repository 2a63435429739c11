#pragma once

#include "core/results/EntryComparison.h"
#include "core/results/ResultList.h"

namespace hollowsweep {

// Sorts the list for a header click: the order the merge rule gives with
// CompareEntries, reached faster where that order is a stable one. Texts are
// case-folded once per entry and numbers read once, then sorted on every
// core; the rest (dates, kinds, entries of different kinds) goes by the merge
// rule itself.
void SortByField(ResultList& list, FieldIndex field, SortDirection direction,
                 const LocaleReaders& readers);

} // namespace hollowsweep

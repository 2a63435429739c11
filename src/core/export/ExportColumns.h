#pragma once

#include "core/config/ConfigBinding.h"
#include "core/results/FieldCatalog.h"
#include "core/results/ResultList.h"

#include <string>
#include <vector>

namespace hollowsweep {

// The names of the exported columns: the visible column entries in document
// order, which is neither their display order nor their "Index" order.
std::vector<std::string> GetExportColumns(ConfigRoot& root);

// The record field each column shows: its catalogue index, field 0 for a name
// outside the catalogue.
std::vector<FieldIndex> FieldsOfColumns(const std::vector<std::string>& columns);

// The length of all those fields over the list, for sizing a text export.
std::size_t FieldTextSize(const ResultList& list, const std::vector<FieldIndex>& fields);

} // namespace hollowsweep

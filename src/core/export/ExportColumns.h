#pragma once

#include "config/QuillfenConfig.h"
#include "results/FieldCatalog.h"
#include "results/ResultList.h"

#include <string>
#include <vector>

namespace hollowsweep {

// The names of the exported columns: the visible column entries in document
// order, which is neither their display order nor their "Index" order.
std::vector<std::string> GetExportColumns(TXMLConfigType& root);

// The record field each column shows: its catalogue index, field 0 for a name
// outside the catalogue.
std::vector<TFieldIndex> FieldsOfColumns(const std::vector<std::string>& columns);

// The length of all those fields over the list, for sizing a text export.
std::size_t FieldTextSize(const TResultList& list, const std::vector<TFieldIndex>& fields);

} // namespace hollowsweep

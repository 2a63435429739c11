#pragma once

#include "config/QuillfenConfig.h"

#include <string>
#include <vector>

namespace hollowsweep {

// The names of the exported columns: the visible column entries in document
// order, which is neither their display order nor their "Index" order.
std::vector<std::string> GetExportColumns(TXMLConfigType& root);

} // namespace hollowsweep

#pragma once

#include "core/platform/TextOutput.h"
#include "core/results/ResultList.h"

#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep {

// The page's fixed start: style sheet and body tag.
extern const std::string_view HTMLHead;

// The report as one line without its line end: title from the target path,
// credit line, and a table of the exported columns with one row per entry.
void WriteHTML(TextOutput& out, const ResultList& list, const std::vector<std::string>& columns,
               std::string_view path);
std::string BuildHTML(const ResultList& list, const std::vector<std::string>& columns,
                      std::string_view path);

} // namespace hollowsweep

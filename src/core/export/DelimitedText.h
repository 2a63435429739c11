#pragma once

#include "core/platform/TextOutput.h"
#include "core/results/ResultList.h"

#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep {

inline constexpr std::string_view TextSeparator = "          ";
inline constexpr std::string_view CSVSeparator = ",";

enum class Quoting {
    // Names and values exactly as they are.
    None,
    // A name or value holding the separator, a double quote, CR or LF is
    // quoted, its double quotes doubled.
    WhereNeeded,
};

// Only CSV fields are quoted: the separator decides.
Quoting QuotingFor(std::string_view separator);

// A header line of the column names, each followed by the separator, then one
// line per entry with the values between separators. Every line ends with
// CR LF. With no column, every line is empty.
void WriteDelimitedText(TextOutput& out, const ResultList& list,
                        const std::vector<std::string>& columns, std::string_view separator,
                        Quoting quoting);
std::string BuildDelimitedText(const ResultList& list, const std::vector<std::string>& columns,
                               std::string_view separator, Quoting quoting);

} // namespace hollowsweep

#pragma once

#include "core/results/FieldCatalog.h"
#include "core/results/ResultRecord.h"

#include <optional>
#include <string>
#include <string_view>

namespace hollowsweep {

// How the user's locale writes numbers; the desktop program fills it from the
// user's settings.
struct NumberFormat {
    std::string GroupSeparator = ",";
    std::string DecimalSeparator = ".";
};

// A number as the user writes it: an optional sign, digits, the locale's
// decimal separator and an optional exponent; blanks around it are ignored,
// group separators are not accepted.
std::optional<double> ReadLocaleNumber(std::string_view text, const NumberFormat& format);

// Two decimals, rounded, digits grouped by three, with the locale's separators.
std::string FormatLocaleNumber(double value, const NumberFormat& format);

// The text a list cell shows for a field: "File Size" as B, KB, MB or GB,
// "Size Percentage" with a percent sign, any other field as it is. Empty
// without a record, and where a size is not a number.
std::string GetFieldText(FieldIndex index, const ResultRecord* record, const NumberFormat& format);

} // namespace hollowsweep

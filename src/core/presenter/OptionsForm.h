#pragma once

#include "core/config/Config.h"
#include "core/rules/ScanRules.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace hollowsweep {

// What the Options dialog shows and stores, without the dialog: the scan
// rules and the trash setting, read from the configuration and written back.
struct OptionValues {
    ScanRules Rules;
    bool MoveToTrash = false;
};

// The units an age is shown in, largest first.
enum class AgeUnit : std::size_t { Days, Hours, Minutes, Seconds };
inline constexpr std::array<std::chrono::seconds, 4> AgeUnitLengths{
    std::chrono::days(1), std::chrono::hours(1), std::chrono::minutes(1), std::chrono::seconds(1)};

// An age as a count of one unit: the largest unit it fills whole, where the
// count stays within maxCount.
struct AgeInUnit {
    int Count = 1;
    AgeUnit Unit = AgeUnit::Days;
};
AgeInUnit ShownAge(std::chrono::seconds age, int maxCount);
std::chrono::seconds AgeOf(const AgeInUnit& age);

// The stored options; options that do not read leave all unset and say why.
struct LoadedOptions {
    OptionValues Values;
    std::optional<std::string> Error;
};
LoadedOptions LoadOptions(Config& config);

// Stores the options and saves the configuration. They apply from the next
// scan or removal even when the save fails, which the returned reason tells.
std::optional<std::string> StoreOptions(Config& config, const OptionValues& values);

// names with every common junk file name added once, after them.
std::vector<std::string> WithCommonJunk(std::vector<std::string> names);

} // namespace hollowsweep

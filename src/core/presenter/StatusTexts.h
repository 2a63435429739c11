#pragma once

#include "core/results/ResultList.h"

#include <cstddef>
#include <string>

namespace hollowsweep {

// One panel of the status bar: what it says, and its hint.
struct StatusPanel {
    std::string Text;
    std::string Hint;

    bool operator==(const StatusPanel&) const = default;
};

// The status bar of the main window: "N empty folders, M checked" once a scan
// filled the list; how many folders the scan could not read; how many it kept
// for other programs. The hints name the folders, each with its reason.
struct StatusTexts {
    StatusPanel Counts;
    StatusPanel Unreadable;
    StatusPanel Kept;

    bool operator==(const StatusTexts&) const = default;
};

// Counts of more than four digits carry the groupSeparator.
StatusTexts StatusOf(const ResultList& list, std::string_view groupSeparator = {});

// "1 folder", "N folders", in the user's language.
std::string FolderCount(std::size_t count, std::string_view groupSeparator = {});

} // namespace hollowsweep

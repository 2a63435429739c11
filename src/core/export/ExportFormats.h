#pragma once

#include "core/config/XMLDocument.h"
#include "core/results/ResultList.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep {

// What an export reads: the list, its exported columns in order, and, for the
// formats that read it, the result document built from the list.
struct ExportSource {
    const ResultList& List;
    const std::vector<std::string>& Columns;
    const XMLDocument* Document = nullptr;
};

// Writes an export to the file at target, which takes the old file's place
// only once written whole, or to standard output when target is empty.
// Failures raise IOError, or ConversionError for what the format cannot hold.
using ExportWriter = void (*)(const std::string& target, const ExportSource& source);

// One export format: all that the window's menu, the tool's --format and the
// export command know of it. Texts are untranslated; Tr them to show them.
struct ExportFormat {
    // The tool's --format value.
    std::string_view Name;
    // The save dialog's default extension and its "description|pattern" filter.
    std::string_view Extension;
    const char* Filter = "";
    // The window's menu entry and its icon; null for a format of scripts only.
    const char* MenuCaption = nullptr;
    std::string_view Icon;
    // Reads the result document, which is built before the target is asked for.
    bool ReadsResultDocument = false;
    // Written with seeks, so only to a file, never to a pipe or a terminal.
    bool NeedsFile = false;
    // The most entries it can hold; 0 for no limit.
    std::size_t EntryLimit = 0;
    ExportWriter Write = nullptr;
};

// Every format, in the order of the window's export menu.
std::span<const ExportFormat> ExportFormats();

// The format of that --format name; null for none.
const ExportFormat* FindExportFormat(std::string_view name);

} // namespace hollowsweep

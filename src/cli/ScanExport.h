#pragma once

#include "core/export/ExportFormats.h"
#include "core/results/ResultList.h"

#include <string>
#include <vector>

namespace hollowsweep::cli {

// The exported columns: from a configuration file, read only, when one is
// given, else from the default configuration. Errors name the file.
std::vector<std::string> LoadExportColumns(const std::string& configFile);

// Writes the list in an export format to a file, or to standard output when
// output is empty or "-". The bytes are the desktop program's export of the
// same list and columns.
void WriteExport(const ExportFormat& format, const ResultList& list,
                 const std::vector<std::string>& columns, const std::string& output);

// Whether --output names standard output: absent or "-".
bool ToStandardOutput(const std::string& output);

} // namespace hollowsweep::cli

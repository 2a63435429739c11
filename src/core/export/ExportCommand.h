#pragma once

#include "core/config/ConfigBinding.h"
#include "core/config/XMLDocument.h"
#include "core/export/ExportUI.h"
#include "core/results/ResultList.h"

namespace hollowsweep {

enum class ExportFormat { HTML, Text, Excel, CSV, XML };

// One export command of the result list: nothing at all for an empty list;
// otherwise the visible columns of config, the format's save, and "Export
// Finished" when a file was written. The workbook and XML exports rebuild
// resultDocument first, even when the user then cancels.
void RunExport(ExportFormat format, const ResultList& list, ConfigRoot& config,
               XMLDocument& resultDocument, IExportUI& ui);

} // namespace hollowsweep

#pragma once

#include "config/QuillfenConfig.h"
#include "config/XMLDocument.h"
#include "export/ExportUI.h"
#include "results/ResultList.h"

namespace hollowsweep {

enum class TExportFormat { HTML, Text, Excel, CSV, XML };

// One export command of the result list: nothing at all for an empty list;
// otherwise the visible columns of config, the format's save, and "Export
// Finished" when a file was written. The workbook and XML exports rebuild
// resultDocument first, even when the user then cancels.
void RunExport(TExportFormat format, const TResultList& list, TXMLConfigType& config,
               TXMLDocument& resultDocument, IExportUI& ui);

} // namespace hollowsweep

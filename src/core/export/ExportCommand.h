#pragma once

#include "core/config/ConfigBinding.h"
#include "core/config/XMLDocument.h"
#include "core/export/ExportFormats.h"
#include "core/export/ExportUI.h"
#include "core/results/ResultList.h"

namespace hollowsweep {

// One export command of the result list: nothing at all for an empty list;
// otherwise the visible columns of config, the save dialog, the format's
// writer under the wait window, and "Export Finished" when a file was written.
// A format that reads the result document rebuilds resultDocument first, even
// when the user then cancels.
void RunExport(const ExportFormat& format, const ResultList& list, ConfigRoot& config,
               XMLDocument& resultDocument, IExportUI& ui);

} // namespace hollowsweep

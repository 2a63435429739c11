#include "core/export/ExportCommand.h"

#include "core/export/ExportColumns.h"
#include "core/export/ResultDocument.h"
#include "core/product/Messages.h"

namespace hollowsweep {

void RunExport(const ExportFormat& format, const ResultList& list, ConfigRoot& config,
               XMLDocument& resultDocument, IExportUI& ui) {
    if (list.Empty()) {
        return;
    }
    const std::vector<std::string> columns = GetExportColumns(config);
    if (format.ReadsResultDocument) {
        const WaitScope wait(ui, Tr("Gathering info.."));
        ResetXMLDoc(resultDocument);
        BuildXMLDoc(resultDocument, list);
    }
    // Only the workbook has a limit; it is told before anything is asked.
    if (format.EntryLimit != 0 && list.Count() > format.EntryLimit) {
        ui.ShowMessage(Tr("The row count is out of excel range."), Tr("Warning"),
                       MessageIcon::Warning);
        return;
    }
    const std::string path = AskSaveFileName(ui, format.Extension, Tr(format.Filter));
    if (path.empty()) {
        return;
    }
    {
        const WaitScope wait(ui, Tr("Export to file.."));
        format.Write(path, {list, columns, &resultDocument});
    }
    ui.ShowMessage(Tr("Export Finished"), Tr("Done"), MessageIcon::None);
}

} // namespace hollowsweep

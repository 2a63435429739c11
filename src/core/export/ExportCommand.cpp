#include "core/export/ExportCommand.h"

#include "core/export/DelimitedText.h"
#include "core/export/ExportColumns.h"
#include "core/export/ExportSession.h"
#include "core/product/Messages.h"

namespace hollowsweep {

namespace {

bool Save(ExportFormat format, ExportSession& exporter, const ResultList& list) {
    switch (format) {
    case ExportFormat::HTML:
        return exporter.SaveToHTML(list);
    case ExportFormat::Text:
        return exporter.SaveToText(TextSeparator, list);
    case ExportFormat::CSV:
        return exporter.SaveToCSV(CSVSeparator, list);
    case ExportFormat::Excel:
        exporter.ResetXMLDoc();
        exporter.BuildXMLDoc(list);
        return exporter.SaveToExcel();
    case ExportFormat::XML:
        exporter.ResetXMLDoc();
        exporter.BuildXMLDoc(list);
        return exporter.SaveToXML();
    }
    return false;
}

} // namespace

void RunExport(ExportFormat format, const ResultList& list, ConfigRoot& config,
               XMLDocument& resultDocument, IExportUI& ui) {
    if (list.Empty()) {
        return;
    }
    ExportSession exporter(ui);
    exporter.XMLDoc = &resultDocument;
    exporter.ExportColumns = GetExportColumns(config);
    if (Save(format, exporter, list)) {
        ui.ShowMessage(Tr("Export Finished"), Tr("Done"), MessageIcon::None);
    }
}

} // namespace hollowsweep

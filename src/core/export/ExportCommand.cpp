#include "export/ExportCommand.h"

#include "export/DelimitedText.h"
#include "export/ExportColumns.h"
#include "export/FileInfo.h"

namespace hollowsweep {

namespace {

bool Save(TExportFormat format, TFileInfo& exporter, const TResultList& list) {
    switch (format) {
    case TExportFormat::HTML:
        return exporter.SaveToHTML(list);
    case TExportFormat::Text:
        return exporter.SaveToText(TextSeparator, list);
    case TExportFormat::CSV:
        return exporter.SaveToCSV(CSVSeparator, list);
    case TExportFormat::Excel:
        exporter.ResetXMLDoc();
        exporter.BuildXMLDoc(list);
        return exporter.SaveToExcel();
    case TExportFormat::XML:
        exporter.ResetXMLDoc();
        exporter.BuildXMLDoc(list);
        return exporter.SaveToXML();
    }
    return false;
}

} // namespace

void RunExport(TExportFormat format, const TResultList& list, TXMLConfigType& config,
               TXMLDocument& resultDocument, IExportUI& ui) {
    if (list.Empty()) {
        return;
    }
    TFileInfo exporter(ui);
    exporter.XMLDoc = &resultDocument;
    exporter.ExportColumns = GetExportColumns(config);
    if (Save(format, exporter, list)) {
        ui.ShowMessage("Export Finished", "Done", TMessageIcon::None);
    }
}

} // namespace hollowsweep

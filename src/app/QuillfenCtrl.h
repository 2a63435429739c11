#pragma once

#include "ResultListModel.h"
#include "export/ExportCommand.h"
#include "results/EntryComparison.h"

#include <QObject>
#include <optional>
#include <string>
#include <vector>

class QTreeView;

namespace hollowsweep::app {

class TFMMain;

// Drives the main window's result list: builds its columns from the
// configuration, gives every cell its text, sorts on header clicks, opens an
// entry's folder, stores the columns at close, and runs the exports.
class TQuillfenCtrl final : public QObject, public ICellTextSource {
public:
    explicit TQuillfenCtrl(TFMMain* mainForm);
    // The list outlives the controller: its cells show empty from then on.
    ~TQuillfenCtrl() override;

    TFMMain* MainForm;
    // The field of the last header-click sort.
    TFieldIndex SortField = 0;
    QTreeView* ResultList;

    void SetupColumns(QTreeView* list);
    // Writes every column's width, visibility and position into the
    // configuration and saves it.
    void SaveColumns();
    std::string GetFieldText(TFieldIndex index, const TResultRecord* record) const;
    void OpenEntryFolder(QTreeView* list);

    void VTHeaderClick(int column, Qt::MouseButton button);
    int VTCompareNodes(const TResultRecord& a, const TResultRecord& b) const;
    void VTDblClick(QObject* sender);
    void VTHeaderMouseDown(Qt::MouseButton button);
    void ShowColumnConfig();

    void ExportToHTML(QTreeView* list);
    void ExportToText(QTreeView* list);
    void ExportToExcel(QTreeView* list);
    void ExportToCSV(QTreeView* list);
    void ExportToXML(QTreeView* list);
    std::vector<std::string> GetExportColumns() const;

    QString CellText(const TResultRecord& record, int column) const override;
    QString Hint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyVisibility();
    void Export(TExportFormat format);

    TResultListModel& Model() const;
    TLocaleReaders readers_;
    std::optional<int> sortColumn_;
    TSortDirection direction_ = TSortDirection::Ascending;
    // Every column's last width, kept while a column is hidden.
    std::vector<int> widths_;
};

} // namespace hollowsweep::app

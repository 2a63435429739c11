#pragma once

#include "app/ResultListModel.h"
#include "app/ResultView.h"
#include "core/config/Config.h"
#include "core/config/ConfigBinding.h"
#include "core/presenter/ListColumns.h"
#include "core/results/EntryComparison.h"

#include <QObject>
#include <optional>
#include <string>
#include <vector>

namespace hollowsweep::app {

class IUserDialogs;
class LastColumnStretch;

// Drives the main window's result list: builds its columns from the
// configuration, gives every cell its text, sorts on header clicks, opens an
// entry's folder, stores the columns at close, and runs the exports.
class ResultListController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultListController)

public:
    ResultListController(ResultView* list, ResultListModel& model, LazyConfig& config,
                         IUserDialogs& dialogs);

    // The field of the last header-click sort.
    FieldIndex SortField = 0;
    ResultView* view;

    void SetupColumns(ResultView* list);
    // Writes every column's width, visibility and position into the
    // configuration and saves it.
    void SaveColumns();
    // A new list comes in its own order: the header shows no sort.
    void ForgetSort();
    void OpenEntryFolder(ResultView* list);

    void onHeaderClicked(int column, Qt::MouseButton button);
    void onRowDoubleClicked(QObject* sender);
    void onHeaderPressed(Qt::MouseButton button);
    void ShowColumnConfig();

    std::vector<std::string> GetExportColumns() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyVisibility();
    // Puts the check boxes in the first column the view shows.
    void FollowFirstVisibleColumn();
    // Space: every selected row takes the opposite of the current row's check.
    void ToggleSelectedRows();

    ResultListModel& Model() const { return model_; }
    Config& Configuration() const { return config_.GetConfig(); }
    ColumnSettingPtr Node(int position) const;
    int NodeCount() const;
    ResultListModel& model_;
    LazyConfig& config_;
    IUserDialogs& dialogs_;
    LocaleReaders readers_;
    ListSorting sorting_;
    // Every column's width as set, kept while a column is hidden or stretched.
    LastColumnStretch* stretch_;
};

} // namespace hollowsweep::app

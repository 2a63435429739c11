#pragma once

#include <QTableView>

namespace hollowsweep::app {

// The result list's view: rows of one height, with the grid, the check boxes
// and the header as the list has always looked.
//
// A table view, not a tree view: a tree view keeps an item of its own for
// every row and lays them all out again on every reset, which for a million
// rows cost 40 bytes each and a twentieth of a second at every keystroke in
// the filter box. A table view keeps a few bytes a row in its vertical header.
class ResultView final : public QTableView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultView)

public:
    explicit ResultView(QWidget* parent);
    ~ResultView() override = default;

    // The header with the columns' captions.
    QHeaderView* header() const { return horizontalHeader(); }
    // Asks for the list's menu by the current row, as the keyboard does.
    void RequestMenuAtCurrentRow();

signals:
    // The list's menu is wanted at a place on the screen, for a row (none
    // when the mouse points below the rows).
    void MenuRequested(const QPoint& globalPosition, const QModelIndex& row);

protected:
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // As tall as a row with a check box and text needs, descenders included.
    void FitRowHeight();
};

} // namespace hollowsweep::app

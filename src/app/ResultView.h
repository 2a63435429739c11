#pragma once

#include <QTreeView>

namespace hollowsweep::app {

// The result list's view. Rows all have one height, and a change of check
// marks changes no height, so a change of marks over many rows repaints what
// is shown instead of working out each row's place: for a million rows that
// took a tenth of a second and more.
class ResultView final : public QTreeView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultView)

public:
    explicit ResultView(QWidget* parent);
    ~ResultView() override = default;

    // Asks for the list's menu by the current row, as the keyboard does.
    void RequestMenuAtCurrentRow();

signals:
    // The list's menu is wanted at a place on the screen, for a row (none
    // when the mouse points below the rows).
    void MenuRequested(const QPoint& globalPosition, const QModelIndex& row);

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

} // namespace hollowsweep::app

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

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles) override;
};

} // namespace hollowsweep::app

#pragma once

#include <QObject>
#include <vector>

class QTableView;

namespace hollowsweep::app {

// Makes the last column a view shows fill the rest of its width, so that no
// empty strip is left beside it and a narrower window narrows it. Each column
// keeps the width the configuration or the user gave it, and that width, not
// the stretched one, is what Width() tells and what is stored: the stretched
// column takes it back as soon as another column comes last.
class LastColumnStretch final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LastColumnStretch)

public:
    explicit LastColumnStretch(QTableView* view);
    ~LastColumnStretch() override = default;

    // Gives the columns these widths, then stretches the last one shown.
    void SetWidths(const std::vector<int>& widths);
    // The width a column has when it is not stretched.
    int Width(int column) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onSectionResized(int column, int oldSize, int newSize);
    void Stretch();
    int LastShownColumn() const;
    bool Shown(int column) const;
    // Resizes without taking the size for the user's.
    void ResizeOwn(int column, int size);

    QTableView* view_;
    QObject* viewport_;
    std::vector<int> widths_;
    int stretched_ = -1;
    bool resizing_ = false;
};

} // namespace hollowsweep::app

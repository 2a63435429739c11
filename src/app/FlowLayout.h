#pragma once

#include <QLayout>
#include <memory>
#include <vector>

namespace hollowsweep::app {

// Lays its widgets out in a row at their preferred size, and starts another
// row below when the next one would not fit: a narrow window keeps every
// button whole and within reach.
class FlowLayout final : public QLayout {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FlowLayout)

public:
    // columnSpacing may be negative, so that neighbours share their edges.
    FlowLayout(QWidget* parent, int columnSpacing, int rowSpacing);
    ~FlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Places the items in rect when place is set; the height the rows take.
    int Arrange(const QRect& rect, bool place) const;

    std::vector<std::unique_ptr<QLayoutItem>> items_;
    int columnSpacing_;
    int rowSpacing_;
};

} // namespace hollowsweep::app

#pragma once

#include <QLineEdit>

namespace hollowsweep {
class ResultList;
}

namespace hollowsweep::app {

// The box above the result list: the list shows only the entries its text
// lets through, from the first keystroke on. Ctrl+F anywhere in the window
// puts the keyboard in it; Escape empties it.
class FilterBox final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FilterBox)

public:
    FilterBox(ResultList& list, QWidget* window, QWidget* parent);
    ~FilterBox() override = default;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace hollowsweep::app

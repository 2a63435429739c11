#pragma once

#include <QDialog>

class QLabel;
class QFrame;
class QListWidget;
class QPushButton;

namespace hollowsweep::app {

// The column dialog: one checkable line per column of the configuration, in
// the configuration's order. OK stores the marks and saves; Cancel changes
// nothing.
class TFMConfig final : public QDialog {
public:
    explicit TFMConfig(QWidget* parent);

    QLabel* Label1;
    QFrame* Panel1;
    QListWidget* clbList;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    void FormShow();
    void LoadColumns();
    void BitBtn1Click();
    void BitBtn2Click();
    void StoreColumns();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace hollowsweep::app

#pragma once

#include <QDialog>

class QLabel;
class QFrame;
class QListWidget;
class QPushButton;

namespace hollowsweep {
class Config;
}

namespace hollowsweep::app {

// The column dialog: one checkable line per column of the configuration, in
// the configuration's order. OK stores the marks and saves; Cancel changes
// nothing.
class ColumnDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColumnDialog)

public:
    ColumnDialog(Config& config, QWidget* parent);

    QLabel* promptLabel;
    QFrame* frame;
    QListWidget* columnList;
    QPushButton* okButton;
    QPushButton* cancelButton;

    void onShow();
    void LoadColumns();
    void KeepOneColumn();
    void onOkClicked();
    void onCancelClicked();
    void StoreColumns();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Config& config_;
};

} // namespace hollowsweep::app

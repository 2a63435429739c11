#pragma once

#include "core/rules/ScanRules.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace hollowsweep {
class Config;
}

namespace hollowsweep::app {

class IUserDialogs;

// The options of the scan and the removal, all off until the user sets them:
// folder names to skip, junk files, one file system, a minimum age, and the
// trash in place of removal; and on until the user clears it, keeping the
// folders other programs need. It shows what the configuration holds; OK stores
// the options there and saves, Cancel changes nothing.
class OptionsDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsDialog)

public:
    OptionsDialog(Config& config, IUserDialogs& dialogs, QWidget* parent);

    QPlainTextEdit* excludedEdit;
    QPlainTextEdit* junkEdit;
    QPushButton* commonJunkButton;
    QCheckBox* oneFileSystemBox;
    QCheckBox* minimumAgeBox;
    QSpinBox* ageEdit;
    QComboBox* ageUnitBox;
    QCheckBox* trashBox;
    QCheckBox* protectBox;
    QDialogButtonBox* buttons;

    void ShowOptions(const ScanRules& rules, bool moveToTrash);
    ScanRules Rules() const;
    bool MoveToTrash() const;

    void onCommonJunkClicked();
    void onAccepted();

private:
    void LoadOptions();

    Config& config_;
    IUserDialogs& dialogs_;
};

} // namespace hollowsweep::app

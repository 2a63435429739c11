#include "app/OptionsDialog.h"

#include "app/ExceptionGuard.h"
#include "app/PathText.h"
#include "app/UserDialogs.h"
#include "core/config/Config.h"
#include "core/config/RemovalSetting.h"
#include "core/config/ScanRulesSetting.h"
#include "core/errors/Errors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <chrono>
#include <string>
#include <vector>

namespace hollowsweep::app {

namespace {

struct AgeUnit {
    const char* Name;
    std::chrono::seconds Length;
};

// Largest first, so that an age shows in the largest unit it fills whole.
constexpr std::array AgeUnits{
    AgeUnit{QT_TRANSLATE_NOOP("hollowsweep::app::OptionsDialog", "days"), std::chrono::days(1)},
    AgeUnit{QT_TRANSLATE_NOOP("hollowsweep::app::OptionsDialog", "hours"), std::chrono::hours(1)},
    AgeUnit{QT_TRANSLATE_NOOP("hollowsweep::app::OptionsDialog", "minutes"),
            std::chrono::minutes(1)},
    AgeUnit{QT_TRANSLATE_NOOP("hollowsweep::app::OptionsDialog", "seconds"),
            std::chrono::seconds(1)}};

QString NamesText(const std::vector<std::string>& names) {
    QStringList lines;
    for (const auto& name : names) {
        lines << DisplayText(name);
    }
    return lines.join('\n');
}

// One name a line; blank lines and the spaces around a name mean nothing.
std::vector<std::string> NamesOf(const QPlainTextEdit* edit) {
    std::vector<std::string> names;
    for (const QString& line : edit->toPlainText().split('\n')) {
        const QString name = line.trimmed();
        if (!name.isEmpty()) {
            names.push_back(LocalPath(name));
        }
    }
    return names;
}

QPlainTextEdit* NameListEdit(QWidget* parent) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setTabChangesFocus(true);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 4 + 12);
    return edit;
}

} // namespace

OptionsDialog::OptionsDialog(Config& config, IUserDialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , config_(config)
    , dialogs_(dialogs) {
    setWindowTitle(tr("Options"));

    auto* scanGroup = new QGroupBox(tr("Scan"), this);
    excludedEdit = NameListEdit(scanGroup);
    excludedEdit->setToolTip(tr("Folders with these names are neither listed nor removed, and "
                                "neither is anything below them. * and ? match any text and "
                                "any one character. A pattern with a / matches the whole path, "
                                "as */.git/* or /home/*/.cache."));
    junkEdit = NameListEdit(scanGroup);
    junkEdit->setToolTip(tr("A folder that holds nothing but files with these names counts as "
                            "empty; the files are removed with it."));
    commonJunkButton = new QPushButton(tr("Add Common Junk Files"), scanGroup);
    QStringList common;
    for (const auto name : CommonJunkFiles()) {
        common << DisplayText(name);
    }
    commonJunkButton->setToolTip(common.join(", "));
    oneFileSystemBox =
        new QCheckBox(tr("Stay on the file system of each opened folder"), scanGroup);
    minimumAgeBox = new QCheckBox(tr("Only folders not modified for at least"), scanGroup);
    protectBox = new QCheckBox(tr("&Keep folders that other programs need"), scanGroup);
    protectBox->setToolTip(
        tr("Empty folders that programs rely on are neither listed nor removed: version control "
           "data (git, Mercurial, Subversion, ...), git submodules, mail folders (Maildir), "
           "database files (PostgreSQL), mount points and lost+found, folders of installed "
           "packages, and system file systems. Removing them would break those programs. Clear "
           "this only to treat every folder alike."));
    ageEdit = new QSpinBox(scanGroup);
    ageEdit->setRange(1, 99999);
    ageUnitBox = new QComboBox(scanGroup);
    for (const auto& unit : AgeUnits) {
        ageUnitBox->addItem(tr(unit.Name));
    }

    auto* junkButtons = new QHBoxLayout;
    junkButtons->addStretch();
    junkButtons->addWidget(commonJunkButton);
    auto* age = new QHBoxLayout;
    age->addWidget(minimumAgeBox);
    age->addWidget(ageEdit);
    age->addWidget(ageUnitBox);
    age->addStretch();
    auto* scanLayout = new QVBoxLayout(scanGroup);
    auto* excludedLabel =
        new QLabel(tr("&Skip folders named (one name or pattern a line):"), scanGroup);
    excludedLabel->setBuddy(excludedEdit);
    auto* junkLabel =
        new QLabel(tr("&Junk files, removed with a folder that holds nothing else:"), scanGroup);
    junkLabel->setBuddy(junkEdit);
    scanLayout->addWidget(excludedLabel);
    scanLayout->addWidget(excludedEdit);
    scanLayout->addWidget(junkLabel);
    scanLayout->addWidget(junkEdit);
    scanLayout->addLayout(junkButtons);
    scanLayout->addWidget(oneFileSystemBox);
    scanLayout->addLayout(age);
    scanLayout->addWidget(protectBox);

    auto* removalGroup = new QGroupBox(tr("Removal"), this);
    trashBox = new QCheckBox(tr("Move to the desktop's trash instead of removing"), removalGroup);
    auto* removalLayout = new QVBoxLayout(removalGroup);
    removalLayout->addWidget(trashBox);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scanGroup);
    layout->addWidget(removalGroup);
    layout->addWidget(buttons);

    connect(minimumAgeBox, &QCheckBox::toggled, ageEdit, &QWidget::setEnabled);
    connect(minimumAgeBox, &QCheckBox::toggled, ageUnitBox, &QWidget::setEnabled);
    connect(commonJunkButton, &QPushButton::clicked, this,
            [this] { Guarded([&] { onCommonJunkClicked(); }); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Guarded([&] { onAccepted(); }); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    LoadOptions();
}

// Options that do not read are named, and the dialog starts from none: OK
// then replaces them.
void OptionsDialog::LoadOptions() {
    try {
        ShowOptions(ReadScanRules(*config_.Root()), ReadMoveToTrash(*config_.Root()));
    } catch (const HollowsweepError& error) {
        ShowOptions({}, false);
        dialogs_.ShowMessage(parentWidget(),
                             tr("The stored options could not be read: ") +
                                 DisplayText(error.what()) +
                                 tr("\n\nThe options show as unset; OK replaces the stored ones."),
                             tr("Options"), MessageIcon::Warning);
    }
}

void OptionsDialog::ShowOptions(const ScanRules& rules, bool moveToTrash) {
    excludedEdit->setPlainText(NamesText(rules.ExcludedFolders));
    junkEdit->setPlainText(NamesText(rules.JunkFiles));
    oneFileSystemBox->setChecked(rules.OneFileSystem);
    minimumAgeBox->setChecked(rules.HasMinimumAge());
    ageEdit->setEnabled(rules.HasMinimumAge());
    ageUnitBox->setEnabled(rules.HasMinimumAge());
    ageEdit->setValue(1);
    ageUnitBox->setCurrentIndex(0);
    for (int index = 0; rules.HasMinimumAge() && index < static_cast<int>(AgeUnits.size());
         ++index) {
        const auto length = AgeUnits[static_cast<std::size_t>(index)].Length;
        if (rules.MinimumAge % length == std::chrono::seconds(0) &&
            rules.MinimumAge / length <= ageEdit->maximum()) {
            ageEdit->setValue(static_cast<int>(rules.MinimumAge / length));
            ageUnitBox->setCurrentIndex(index);
            break;
        }
    }
    trashBox->setChecked(moveToTrash);
    protectBox->setChecked(rules.ProtectFolders);
}

ScanRules OptionsDialog::Rules() const {
    ScanRules rules;
    rules.ExcludedFolders = NamesOf(excludedEdit);
    rules.JunkFiles = NamesOf(junkEdit);
    rules.OneFileSystem = oneFileSystemBox->isChecked();
    rules.ProtectFolders = protectBox->isChecked();
    if (minimumAgeBox->isChecked()) {
        rules.MinimumAge = ageEdit->value() *
                           AgeUnits[static_cast<std::size_t>(ageUnitBox->currentIndex())].Length;
    }
    return rules;
}

bool OptionsDialog::MoveToTrash() const {
    return trashBox->isChecked();
}

void OptionsDialog::onCommonJunkClicked() {
    QStringList lines = junkEdit->toPlainText().split('\n', Qt::SkipEmptyParts);
    for (const auto name : CommonJunkFiles()) {
        const QString text = DisplayText(name);
        if (!lines.contains(text)) {
            lines << text;
        }
    }
    junkEdit->setPlainText(lines.join('\n'));
}

// The options apply from the next scan or removal, even when the file cannot
// be written: the user is told they last only until the program closes.
void OptionsDialog::onAccepted() {
    WriteScanRules(*config_.Root(), Rules());
    WriteMoveToTrash(*config_.Root(), MoveToTrash());
    try {
        config_.Save();
    } catch (const HollowsweepError& error) {
        dialogs_.ShowMessage(this,
                             tr("The options could not be stored: ") + DisplayText(error.what()) +
                                 tr("\n\nThey apply until the program closes."),
                             tr("Options"), MessageIcon::Warning);
    }
    accept();
}

} // namespace hollowsweep::app

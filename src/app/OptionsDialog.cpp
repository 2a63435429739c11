#include "app/OptionsDialog.h"

#include "app/ExceptionGuard.h"
#include "app/PathText.h"
#include "app/UserDialogs.h"
#include "core/config/Config.h"
#include "core/presenter/OptionsForm.h"

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

// The names of the age units, in the order of AgeUnitLengths.
constexpr std::array AgeUnitNames{QT_TRANSLATE_NOOP("hollowsweep::app::OptionsDialog", "days"),
                                  QT_TRANSLATE_NOOP("hollowsweep::app::OptionsDialog", "hours"),
                                  QT_TRANSLATE_NOOP("hollowsweep::app::OptionsDialog", "minutes"),
                                  QT_TRANSLATE_NOOP("hollowsweep::app::OptionsDialog", "seconds")};

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
    for (const char* unit : AgeUnitNames) {
        ageUnitBox->addItem(tr(unit));
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
    const LoadedOptions loaded = hollowsweep::LoadOptions(config_);
    ShowOptions(loaded.Values.Rules, loaded.Values.MoveToTrash);
    if (loaded.Error) {
        dialogs_.ShowMessage(parentWidget(),
                             tr("The stored options could not be read: ") +
                                 DisplayText(*loaded.Error) +
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
    const AgeInUnit age =
        rules.HasMinimumAge() ? ShownAge(rules.MinimumAge, ageEdit->maximum()) : AgeInUnit{};
    ageEdit->setValue(age.Count);
    ageUnitBox->setCurrentIndex(static_cast<int>(age.Unit));
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
        rules.MinimumAge =
            AgeOf({ageEdit->value(), static_cast<AgeUnit>(ageUnitBox->currentIndex())});
    }
    return rules;
}

bool OptionsDialog::MoveToTrash() const {
    return trashBox->isChecked();
}

void OptionsDialog::onCommonJunkClicked() {
    junkEdit->setPlainText(NamesText(WithCommonJunk(NamesOf(junkEdit))));
}

// The options apply from the next scan or removal, even when the file cannot
// be written: the user is told they last only until the program closes.
void OptionsDialog::onAccepted() {
    if (const auto failure = StoreOptions(config_, {Rules(), MoveToTrash()})) {
        dialogs_.ShowMessage(this,
                             tr("The options could not be stored: ") + DisplayText(*failure) +
                                 tr("\n\nThey apply until the program closes."),
                             tr("Options"), MessageIcon::Warning);
    }
    accept();
}

} // namespace hollowsweep::app

#include "app/ColumnDialog.h"

#include "app/DesktopLinks.h"
#include "app/ExceptionGuard.h"
#include "app/ExportPrompts.h"
#include "app/PathText.h"
#include "app/WindowLook.h"
#include "core/config/Config.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace hollowsweep::app {

ColumnDialog::ColumnDialog(Config& config, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
    , config_(config) {
    setWindowTitle(tr("Config visible columns"));
    UseSmallFont(this);
    setFixedSize(217, 280);
    promptLabel = new QLabel(tr("Config visible columns:"), this);
    promptLabel->setGeometry(17, 9, 190, 16);
    frame = new QFrame(this);
    frame->setGeometry(16, 27, 186, 207);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(2);
    columnList = new QListWidget(frame);
    columnList->setGeometry(2, 2, 182, 203);
    columnList->setFrameShape(QFrame::NoFrame);
    columnList->setUniformItemSizes(true);
    okButton = new QPushButton(tr("&OK"), this);
    okButton->setGeometry(37, 245, 75, 25);
    cancelButton = new QPushButton(tr("&Cancel"), this);
    cancelButton->setGeometry(125, 245, 75, 25);
    // Return and Escape are handled by the dialog itself (keyPressEvent), so
    // that Return in the list presses OK rather than toggling an item.
    for (QPushButton* button : {okButton, cancelButton}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    setTabOrder(columnList, okButton);
    setTabOrder(okButton, cancelButton);
    connect(okButton, &QPushButton::clicked, this, [this] { Guarded([&] { onOkClicked(); }); });
    connect(cancelButton, &QPushButton::clicked, this,
            [this] { Guarded([&] { onCancelClicked(); }); });
    onShow();
    KeepOneColumn();
    connect(columnList, &QListWidget::itemChanged, this, [this] { KeepOneColumn(); });
    columnList->setFocus();
}

void ColumnDialog::onShow() {
    LoadColumns();
}

void ColumnDialog::LoadColumns() {
    columnList->clear();
    const ColumnSettingsPtr nodes = config_.Root()->GetNodes();
    for (int n = 0; n < nodes->Count(); ++n) {
        const ColumnSettingPtr node = nodes->Item(n);
        auto* line = new QListWidgetItem(DisplayText(node->GetName()), columnList);
        line->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        line->setCheckState(node->GetVisible() ? Qt::Checked : Qt::Unchecked);
        line->setSizeHint(QSize(0, 18));
    }
}

// A list without a column shows nothing, and a removal or an export would
// act on rows no one can see: OK waits for at least one column.
void ColumnDialog::KeepOneColumn() {
    bool anyShown = false;
    for (int n = 0; n < columnList->count() && !anyShown; ++n) {
        anyShown = columnList->item(n)->checkState() == Qt::Checked;
    }
    okButton->setEnabled(anyShown);
    const QString hint = anyShown ? QString() : tr("Keep at least one column visible.");
    okButton->setToolTip(hint);
    promptLabel->setText(anyShown ? tr("Config visible columns:") : hint);
}

void ColumnDialog::onOkClicked() {
    StoreColumns();
    accept();
}

void ColumnDialog::onCancelClicked() {
    reject();
}

void ColumnDialog::StoreColumns() {
    const ColumnSettingsPtr nodes = config_.Root()->GetNodes();
    for (int n = 0; n < nodes->Count() && n < columnList->count(); ++n) {
        nodes->Item(n)->SetVisible(columnList->item(n)->checkState() == Qt::Checked);
    }
    config_.Save();
}

void ColumnDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        Guarded([&] { onCancelClicked(); });
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        if (okButton->isEnabled()) {
            Guarded([&] { onOkClicked(); });
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace hollowsweep::app

#include "uConfigEx.h"

#include "ExceptionGuard.h"
#include "config/Config.h"
#include "uFunction.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace hollowsweep::app {

TFMConfig::TFMConfig(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle("Config visible columns");
    UseSmallFont(this);
    setFixedSize(217, 280);
    Label1 = new QLabel("Config visible columns:", this);
    Label1->setGeometry(17, 9, 190, 16);
    Panel1 = new QFrame(this);
    Panel1->setGeometry(16, 27, 186, 207);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    clbList = new QListWidget(Panel1);
    clbList->setGeometry(2, 2, 182, 203);
    clbList->setFrameShape(QFrame::NoFrame);
    clbList->setUniformItemSizes(true);
    BitBtn1 = new QPushButton("&OK", this);
    BitBtn1->setGeometry(37, 245, 75, 25);
    BitBtn2 = new QPushButton("&Cancel", this);
    BitBtn2->setGeometry(125, 245, 75, 25);
    // Neither is the default or the cancel button: Enter and Escape in the
    // list do nothing, as the column dialog always behaved.
    for (QPushButton* button : {BitBtn1, BitBtn2}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    setTabOrder(clbList, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Guarded([&] { BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { Guarded([&] { BitBtn2Click(); }); });
    FormShow();
    clbList->setFocus();
}

void TFMConfig::FormShow() {
    LoadColumns();
}

void TFMConfig::LoadColumns() {
    clbList->clear();
    const IXMLNodesType nodes = GetConfig().Root()->GetNodes();
    for (int n = 0; n < nodes->Count(); ++n) {
        const IXMLNodeType node = nodes->Item(n);
        auto* line = new QListWidgetItem(DisplayText(node->GetName()), clbList);
        line->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        line->setCheckState(node->GetVisible() ? Qt::Checked : Qt::Unchecked);
        line->setSizeHint(QSize(0, 18));
    }
}

void TFMConfig::BitBtn1Click() {
    StoreColumns();
    accept();
}

void TFMConfig::BitBtn2Click() {
    reject();
}

void TFMConfig::StoreColumns() {
    const IXMLNodesType nodes = GetConfig().Root()->GetNodes();
    for (int n = 0; n < nodes->Count() && n < clbList->count(); ++n) {
        nodes->Item(n)->SetVisible(clbList->item(n)->checkState() == Qt::Checked);
    }
    GetConfig().Save();
}

void TFMConfig::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace hollowsweep::app

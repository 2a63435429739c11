#include "UAbout.h"

#include "ExceptionGuard.h"
#include "product/Product.h"
#include "uFunction.h"
#include "uMain.h"

#include <QMouseEvent>

namespace hollowsweep::app {

TLinkLabel::TLinkLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setStyleSheet("color: blue; text-decoration: underline;");
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

TFMAbout::TFMAbout(IUserDialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
    , dialogs_(dialogs) {
    setWindowTitle("About");
    UseSmallFont(this);
    setFixedSize(292, 152);
    Label1 = new QLabel(this);
    Label1->setGeometry(46, 20, 240, 18);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = new QLabel("Finds and removes empty folders.", this);
    Label2->setGeometry(35, 43, 250, 18);
    Label4 = new QLabel("Web: ", this);
    Label4->move(56, 75);
    Label5 = new TLinkLabel(DisplayText(MakerWebSite), this);
    Label5->setGeometry(99, 75, 190, 16);
    Label6 = new QLabel("Email: ", this);
    Label6->move(58, 99);
    Label7 = new TLinkLabel(DisplayText(MakerEmail), this);
    Label7->setGeometry(103, 99, 186, 16);
    connect(Label5, &TLinkLabel::clicked, this, [this] { Guarded([&] { Label5Click(); }); });
    connect(Label7, &TLinkLabel::clicked, this, [this] { Guarded([&] { Label7Click(); }); });
    FormShow();
}

void TFMAbout::FormShow() {
    Label1->setText(TFMMain::Caption);
}

void TFMAbout::Label5Click() {
    OpenWebSite(dialogs_);
}

void TFMAbout::Label7Click() {
    OpenMailTo(dialogs_);
}

} // namespace hollowsweep::app

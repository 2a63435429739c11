#include "app/AboutDialog.h"

#include "app/DesktopLinks.h"
#include "app/ExceptionGuard.h"
#include "app/ExportPrompts.h"
#include "app/MainWindow.h"
#include "app/PathText.h"
#include "app/WindowLook.h"
#include "core/product/Product.h"

#include <QMouseEvent>

namespace hollowsweep::app {

LinkLabel::LinkLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setStyleSheet("color: blue; text-decoration: underline;");
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

AboutDialog::AboutDialog(IUserDialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
    , dialogs_(dialogs) {
    setWindowTitle(tr("About"));
    UseSmallFont(this);
    setFixedSize(292, 152);
    productLabel = new QLabel(this);
    productLabel->setGeometry(46, 20, 240, 18);
    QFont bold = productLabel->font();
    bold.setBold(true);
    productLabel->setFont(bold);
    descriptionLabel = new QLabel(tr("Finds and removes empty folders."), this);
    descriptionLabel->setGeometry(35, 43, 250, 18);
    webCaption = new QLabel(tr("Web: "), this);
    webCaption->move(56, 75);
    webLink = new LinkLabel(DisplayText(MakerWebSite), this);
    webLink->setGeometry(99, 75, 190, 16);
    mailCaption = new QLabel(tr("Email: "), this);
    mailCaption->move(58, 99);
    mailLink = new LinkLabel(DisplayText(MakerEmail), this);
    mailLink->setGeometry(103, 99, 186, 16);
    connect(webLink, &LinkLabel::clicked, this, [this] { Guarded([&] { onWebLinkClicked(); }); });
    connect(mailLink, &LinkLabel::clicked, this, [this] { Guarded([&] { onMailLinkClicked(); }); });
    onShow();
}

void AboutDialog::onShow() {
    productLabel->setText(MainWindow::Caption());
}

void AboutDialog::onWebLinkClicked() {
    OpenWebSite(dialogs_, this);
}

void AboutDialog::onMailLinkClicked() {
    OpenMailTo(dialogs_, this);
}

} // namespace hollowsweep::app

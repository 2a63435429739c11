#include "app/DesktopLinks.h"

#include "app/PathText.h"
#include "app/UserDialogs.h"
#include "core/product/Product.h"

#include <QCoreApplication>
#include <QUrl>

namespace hollowsweep::app {

void OpenOnDesktop(IUserDialogs& dialogs, QWidget* parent, const QUrl& url,
                   const QString& shownAs) {
    if (dialogs.OpenUrl(url)) {
        return;
    }
    dialogs.ShowMessage(parent,
                        QCoreApplication::translate(
                            "DesktopLinks", "%1 could not be opened.\nThis desktop has no program "
                                            "to open it with; xdg-open (package xdg-utils) "
                                            "provides one.")
                            .arg(shownAs),
                        QCoreApplication::translate("DesktopLinks", "Warning"),
                        MessageIcon::Warning);
}

void OpenWebSite(IUserDialogs& dialogs, QWidget* parent) {
    const QString site = DisplayText(MakerWebSite);
    OpenOnDesktop(dialogs, parent, QUrl(site), site);
}

void OpenMailTo(IUserDialogs& dialogs, QWidget* parent) {
    const QString address = DisplayText(MakerEmail);
    OpenOnDesktop(dialogs, parent, QUrl("mailto:" + address), address);
}

} // namespace hollowsweep::app

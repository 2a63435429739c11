#include "app/DesktopLinks.h"

#include "app/PathText.h"
#include "app/UserDialogs.h"
#include "core/product/Product.h"

#include <QUrl>

namespace hollowsweep::app {

void OpenWebSite(IUserDialogs& dialogs) {
    dialogs.OpenUrl(QUrl(DisplayText(MakerWebSite)));
}

void OpenMailTo(IUserDialogs& dialogs) {
    dialogs.OpenUrl(QUrl("mailto:" + DisplayText(MakerEmail)));
}

} // namespace hollowsweep::app

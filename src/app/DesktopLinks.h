#pragma once

class QString;
class QUrl;
class QWidget;

namespace hollowsweep::app {

class IUserDialogs;

// Hands url to the desktop's default program for it. When the desktop has
// none to hand it to, a message over parent names what could not be opened,
// as shownAs spells it: otherwise the click would seem to do nothing.
void OpenOnDesktop(IUserDialogs& dialogs, QWidget* parent, const QUrl& url, const QString& shownAs);

// The maker's web site and e-mail, through the desktop's default programs.
void OpenWebSite(IUserDialogs& dialogs, QWidget* parent);
void OpenMailTo(IUserDialogs& dialogs, QWidget* parent);

} // namespace hollowsweep::app

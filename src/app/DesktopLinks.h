#pragma once

namespace hollowsweep::app {

class IUserDialogs;

// The maker's web site and e-mail, through the desktop's default programs.
void OpenWebSite(IUserDialogs& dialogs);
void OpenMailTo(IUserDialogs& dialogs);

} // namespace hollowsweep::app

#pragma once

class QCoreApplication;
class QLocale;

namespace hollowsweep::app {

// Puts the program's windows in the language of the locale where a
// translation ships, with Qt's own texts (standard buttons) to match; English
// stays otherwise. Translators installed before are removed first, so that a
// call can switch the language back.
void InstallTranslators(QCoreApplication& application, const QLocale& locale);

} // namespace hollowsweep::app

#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace hollowsweep::app {

void InstallTranslators(QCoreApplication& application, const QLocale& locale) {
    for (auto* installed :
         application.findChildren<QTranslator*>(QString(), Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(installed);
        installed->deleteLater();
    }
    const auto install = [&](const QString& name, const QString& folder) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(locale, name, "_", folder)) {
            translator->setParent(&application);
            QCoreApplication::installTranslator(translator.release());
        }
    };
    install("hollowsweep", ":/translations");
    install("qtbase", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace hollowsweep::app

#include "app/ExceptionGuard.h"
#include "app/MainWindow.h"
#include "app/Translations.h"
#include "app/UserDialogs.h"
#include "app/WaitWindow.h"
#include "core/platform/MessageCatalog.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    hollowsweep::UseMessageCatalog();
    hollowsweep::app::InstallTranslators(application, QLocale::system());
    // What is left once Qt took its own options: folders to scan at once, as
    // the file manager's "Open With" passes them, byte for byte.
    const std::vector<std::string> folders(argv + 1, argv + argc);
    QApplication::setApplicationName("Hollowsweep");
    // The desktop matches the window to its entry, icon and name, by this.
    QGuiApplication::setDesktopFileName("hollowsweep");
    QApplication::setWindowIcon(QIcon(":/icons/hollowsweep.svg"));
    hollowsweep::app::QtDialogs dialogs;
    hollowsweep::LazyConfig config(hollowsweep::ConfigFileName());
    hollowsweep::app::WaitWindow wait;
    hollowsweep::app::MainWindow window(dialogs, config, wait);
    window.show();
    if (!folders.empty()) {
        QTimer::singleShot(0, &window, [&window, &folders] {
            hollowsweep::app::Guarded([&] { window.OpenFolders(folders); });
        });
    }
    return QApplication::exec();
}

#include "app/MainWindow.h"
#include "app/UserDialogs.h"
#include "app/WaitWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Hollowsweep");
    QApplication::setWindowIcon(QIcon(":/icons/hollowsweep.svg"));
    hollowsweep::app::QtDialogs dialogs;
    hollowsweep::LazyConfig config(hollowsweep::ConfigFileName());
    hollowsweep::app::WaitWindow wait;
    hollowsweep::app::MainWindow window(dialogs, config, wait);
    window.show();
    return QApplication::exec();
}

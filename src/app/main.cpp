#include "app/MainWindow.h"
#include "app/UserDialogs.h"
#include "app/WaitWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Hollowsweep");
    QApplication::setWindowIcon(QIcon(":/icons/hollowsweep.svg"));
    hollowsweep::app::QtDialogs dialogs;
    hollowsweep::app::MainWindow mainForm(dialogs);
    hollowsweep::app::WaitWindow waitForm;
    waitForm.SetMainWindow(&mainForm);
    mainForm.show();
    return QApplication::exec();
}

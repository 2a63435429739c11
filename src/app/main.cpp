#include "UserDialogs.h"
#include "uMain.h"
#include "uWaitForm.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Hollowsweep");
    QApplication::setWindowIcon(QIcon(":/icons/hollowsweep.svg"));
    hollowsweep::app::TQtDialogs dialogs;
    hollowsweep::app::TFMMain mainForm(dialogs);
    hollowsweep::app::TWaitForm waitForm;
    waitForm.SetMainWindow(&mainForm);
    mainForm.show();
    return QApplication::exec();
}

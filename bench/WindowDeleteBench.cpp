// Removes every empty folder of a tree from the desktop program's window, as a
// user would: the folder is opened, "Delete Checked From Disk" pressed and
// answered Yes. Prints the scan's and the removal's wall times, to set beside
// `hollowsweep-cli delete` on a copy of the same tree.
// Usage: hollowsweep_window_delete_bench FOLDER
#include "BenchSupport.h"
#include "app/MainWindow.h"
#include "app/UserDialogs.h"
#include "app/WaitWindow.h"

#include <QApplication>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <string>

namespace {

using namespace hollowsweep;

class YesDialogs final : public app::IUserDialogs {
public:
    QString ChooseFolder(QWidget*, const QString&) override { return {}; }
    QString ChooseSaveFile(QWidget*, const QString&, const QString&) override { return {}; }
    bool AskYesNo(QWidget*, const QString&, const QString&) override { return true; }
    void ShowMessage(QWidget*, const QString&, const QString&, MessageIcon) override {}
    void ShowReport(QWidget*, const QString& text, const QString&, const QString&) override {
        report = text.toStdString();
    }
    bool OpenUrl(const QUrl& /*url*/) override { return true; }

    std::string report;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    YesDialogs dialogs;
    LazyConfig config(ConfigFileName());
    app::WaitWindow wait;
    app::MainWindow window(dialogs, config, wait);
    window.show();
    QCoreApplication::processEvents();

    auto start = std::chrono::steady_clock::now();
    window.OpenFolders({argv[1]});
    const double scan = bench::SecondsSince(start);
    const std::size_t listed = window.List().Count();
    start = std::chrono::steady_clock::now();
    window.findChild<QPushButton*>("deleteButton")->click();
    const double removal = bench::SecondsSince(start);
    std::printf(
        "window: scan and removal %.2f s (scan %.2f s, removal %.2f s); %zu folders listed, "
        "%zu left; %s\n",
        scan + removal, scan, removal, listed, window.List().Count(), dialogs.report.c_str());
    return 0;
}

// Shows a million scanned entries in the desktop program's list and sorts them
// by "Full Path" with a header click, as a user would. Prints the time to show
// them, the sort against std::stable_sort with the same comparison on the same
// data, and the memory the list's model and view add per entry.
#include "QuillfenCtrl.h"
#include "ResultListModel.h"
#include "UserDialogs.h"
#include "uMain.h"

#include <QApplication>
#include <QHeaderView>
#include <QTreeView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <numeric>
#include <string>

namespace {

using namespace hollowsweep;

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class TNoDialogs final : public app::IUserDialogs {
public:
    QString ChooseFolder(QWidget*) override { return {}; }
    QString ChooseSaveFile(QWidget*, const QString&, const QString&) override { return {}; }
    bool AskYesNo(QWidget*, const QString&, const QString&) override { return false; }
    void ShowMessage(QWidget*, const QString&, const QString&, TMessageIcon) override {}
    void OpenUrl(const QUrl&) override {}
};

TResultList MillionEntries() {
    constexpr std::size_t Entries = 1'000'000;
    TResultList list;
    for (std::size_t i = 0; i < Entries; ++i) {
        const std::string n = std::to_string(i * 7919 % Entries);
        list.Append(TResultRecord::ForFolder("/srv/archive/Photos/2019/holiday-album/raw-" + n +
                                             "/thumbs-" + n));
    }
    return list;
}

void PaintNow(app::TFMMain& window) {
    window.VT->viewport()->repaint();
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    TNoDialogs dialogs;
    app::TFMMain window(dialogs);
    window.show();
    PaintNow(window);

    // The model alone, on a list of its own, before any view asks it anything.
    double modelPerEntry = 0;
    {
        TResultList list;
        app::TResultListModel model(list, nullptr);
        TResultList entries = MillionEntries();
        const long withoutModel = ResidentKilobytes();
        list.Replace(std::move(entries));
        modelPerEntry =
            (ResidentKilobytes() - withoutModel) * 1024.0 / static_cast<double>(model.rowCount());
    }

    TResultList scanned = MillionEntries();
    // A copy of the same entries for the reference sort.
    std::vector<TResultRecord> reference;
    for (const auto& entry : scanned) {
        reference.push_back(entry.Record);
    }
    const long before = ResidentKilobytes();
    auto start = std::chrono::steady_clock::now();
    window.List.Replace(std::move(scanned));
    PaintNow(window);
    const double show = SecondsSince(start);
    const long after = ResidentKilobytes();

    start = std::chrono::steady_clock::now();
    window.ListCtrl->VTHeaderClick(1, Qt::LeftButton);
    PaintNow(window);
    const double headerClick = SecondsSince(start);

    start = std::chrono::steady_clock::now();
    std::stable_sort(reference.begin(), reference.end(),
                     [&](const TResultRecord& a, const TResultRecord& b) {
                         return window.ListCtrl->VTCompareNodes(a, b) < 0;
                     });
    const double stableSort = SecondsSince(start);

    std::printf("entries                         %zu\n", window.List.Count());
    std::printf("show them                       %.3f s\n", show);
    std::printf("header click on Full Path       %.3f s (sort, reload and paint)\n", headerClick);
    std::printf("std::stable_sort, same compare  %.3f s\n", stableSort);
    std::printf("ratio                           %.2f\n", headerClick / stableSort);
    std::printf("model per entry                 %.1f bytes\n", modelPerEntry);
    std::printf("model and view per entry        %.1f bytes\n",
                (after - before) * 1024.0 / static_cast<double>(window.List.Count()));
    std::printf("first rows agree with the reference: %s\n",
                window.List.At(0).Record.Path() == reference[0].Path() &&
                        window.List.At(999).Record.Path() == reference[999].Path()
                    ? "yes"
                    : "no");
    window.ListCtrl.reset();
    return 0;
}

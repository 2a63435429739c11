// Shows a million scanned entries in the desktop program's list and sorts them
// by "Full Path" with a header click, as a user would; checks and unchecks
// them all, and a folder's subtree as the list's menu does. Given a tree and
// hollowsweep-cli (bench/make-trees.py builds trees), it also times the
// window's scan of the tree to its first rows painted against the tool's
// `scan -q`. Prints the time to show them, the sort against std::stable_sort
// with the same comparison on the same data, and the memory the list's model
// and view add per entry.
#include "BenchSupport.h"
#include "app/MainWindow.h"
#include "app/ResultListModel.h"
#include "app/UserDialogs.h"
#include "app/WaitWindow.h"
#include "core/results/EntryComparison.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace hollowsweep;

class NoDialogs final : public app::IUserDialogs {
public:
    QString ChooseFolder(QWidget*, const QString&) override { return {}; }
    void ShowReport(QWidget*, const QString&, const QString&, const QString&) override {}
    QString ChooseSaveFile(QWidget*, const QString&, const QString&) override { return {}; }
    bool AskYesNo(QWidget*, const QString&, const QString&) override { return false; }
    void ShowMessage(QWidget*, const QString&, const QString&, MessageIcon) override {}
    bool OpenUrl(const QUrl& /*url*/) override { return true; }
};

void PaintNow(app::MainWindow& window) {
    window.findChild<QTableView*>("resultView")->viewport()->repaint();
    QCoreApplication::processEvents();
}

// Seconds from the start of an action to its painted result.
template <class Action> double TimePainted(app::MainWindow& window, Action action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    PaintNow(window);
    return bench::SecondsSince(start);
}

void Click(app::MainWindow& window, const char* button) {
    window.findChild<QPushButton*>(button)->click();
}

void SelectAllRows(QTableView& view) {
    view.setFocus();
    view.setCurrentIndex(view.model()->index(0, 0));
    view.selectAll();
}

void PressSpace(QTableView& view) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QCoreApplication::sendEvent(&view, &press);
}

// Seconds for the command-line tool to list the empty folders of a tree,
// quietly, its output thrown away: the best of three runs.
double ToolScan(const std::string& tool, const std::string& tree) {
    const std::string command = "'" + tool + "' scan -q '" + tree + "' >/dev/null";
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "list-view bench: %s failed\n", command.c_str());
        }
        best = std::min(best, bench::SecondsSince(start));
    }
    return best;
}

// Seconds from the window's scan of a tree to its first rows painted: the
// best of three runs.
double WindowScan(app::MainWindow& window, const std::string& tree) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        best = std::min(best, TimePainted(window, [&] { window.OpenFolders({tree}); }));
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    NoDialogs dialogs;
    LazyConfig config(ConfigFileName());
    app::WaitWindow wait;
    auto shownWindow = std::make_unique<app::MainWindow>(dialogs, config, wait);
    app::MainWindow& window = *shownWindow;
    window.show();
    PaintNow(window);

    // The model alone, on a list of its own, before any view asks it anything.
    double modelPerEntry = 0;
    {
        app::ResultListModel model(nullptr);
        ResultList entries = bench::MillionScannedEntries();
        const long withoutModel = bench::ResidentKilobytes();
        model.List().Replace(std::move(entries));
        modelPerEntry = (bench::ResidentKilobytes() - withoutModel) * 1024.0 /
                        static_cast<double>(model.rowCount());
    }

    ResultList scanned = bench::MillionScannedEntries();
    // A copy of the same entries for the reference sort.
    std::vector<ResultRecord> reference;
    for (const auto& entry : scanned) {
        reference.push_back(entry.Record);
    }
    const long before = bench::ResidentKilobytes();
    auto start = std::chrono::steady_clock::now();
    window.List().Replace(std::move(scanned));
    PaintNow(window);
    const double show = bench::SecondsSince(start);
    const long after = bench::ResidentKilobytes();

    start = std::chrono::steady_clock::now();
    // As a click on the header: the window sorts by the column's field.
    emit window.findChild<QTableView*>("resultView")->horizontalHeader()->sectionClicked(1);
    PaintNow(window);
    const double headerClick = bench::SecondsSince(start);

    start = std::chrono::steady_clock::now();
    std::stable_sort(reference.begin(), reference.end(),
                     [&](const ResultRecord& a, const ResultRecord& b) {
                         return CompareEntries(a, b, FullPath, SortDirection::Ascending, {}) < 0;
                     });
    const double stableSort = bench::SecondsSince(start);

    const bool agree = window.List().At(0).Record.Path() == reference[0].Path() &&
                       window.List().At(999).Record.Path() == reference[999].Path();
    auto& view = *window.findChild<QTableView*>("resultView");
    const double nameClick =
        TimePainted(window, [&] { emit view.horizontalHeader()->sectionClicked(0); });
    const double uncheckAll = TimePainted(window, [&] { Click(window, "uncheckAllButton"); });
    const double checkAll = TimePainted(window, [&] { Click(window, "checkAllButton"); });
    const double selectAll = TimePainted(window, [&] { SelectAllRows(view); });
    const double space = TimePainted(window, [&] { PressSpace(view); });
    const std::size_t checkedAfterSpace = window.List().CheckedCount();
    // As the list's menu does for a folder: a subtree that holds every entry,
    // and one that holds a single entry among a million names alike.
    const double checkWideSubtree = TimePainted(
        window, [&] { window.List().SetSubtreeChecked("/srv/archive/Photos/2019", true); });
    const std::size_t checkedAfterWide = window.List().CheckedCount();
    const double uncheckNarrowSubtree = TimePainted(window, [&] {
        window.List().SetSubtreeChecked("/srv/archive/Photos/2019/holiday-album/raw-1", false);
    });
    const std::size_t checkedAfterNarrow = window.List().CheckedCount();

    // Typed into the filter box key by key, then a glob, then emptied.
    auto& filter = *window.findChild<QLineEdit*>("filterBox");
    std::vector<std::pair<QString, double>> keystrokes;
    for (const char* text : {"t", "th", "thumbs-12", "thumbs-123", "*raw-4?/*", ""}) {
        keystrokes.emplace_back(text, TimePainted(window, [&] { filter.setText(text); }));
        keystrokes.back().first += " (" + QString::number(window.List().ShownCount()) + " shown)";
    }

    std::printf("entries                         %zu\n", window.List().Count());
    std::printf("show them                       %.3f s\n", show);
    std::printf("header click on Full Path       %.3f s (sort, reload and paint)\n", headerClick);
    std::printf("std::stable_sort, same compare  %.3f s\n", stableSort);
    std::printf("ratio                           %.2f\n", headerClick / stableSort);
    std::printf("header click on Folder Name     %.3f s\n", nameClick);
    std::printf("uncheck all                     %.3f s\n", uncheckAll);
    std::printf("check all                       %.3f s\n", checkAll);
    std::printf("select all rows                 %.3f s\n", selectAll);
    std::printf("space on all rows selected      %.3f s (%zu checked after)\n", space,
                checkedAfterSpace);
    std::printf("check subtree of every entry    %.3f s (%zu checked after)\n", checkWideSubtree,
                checkedAfterWide);
    std::printf("uncheck subtree of one entry    %.3f s (%zu checked after)\n",
                uncheckNarrowSubtree, checkedAfterNarrow);
    for (const auto& [text, seconds] : keystrokes) {
        std::printf("filter \"%s\" %.3f s\n", text.toUtf8().constData(), seconds);
    }
    std::printf("model per entry                 %.1f bytes\n", modelPerEntry);
    std::printf("model and view per entry        %.1f bytes\n",
                (after - before) * 1024.0 / static_cast<double>(window.List().Count()));
    std::printf("first rows agree with the reference: %s\n", agree ? "yes" : "no");
    // With a tree and the tool: the window's scan of the tree until its rows
    // show, against the tool's scan of it.
    if (argc == 3) {
        const std::string tree = argv[1];
        const double windowScan = WindowScan(window, tree);
        const double toolScan = ToolScan(argv[2], tree);
        std::printf("scan to rows shown              %.3f s (%zu entries)\n", windowScan,
                    window.List().Count());
        std::printf("tool's scan -q                  %.3f s\n", toolScan);
        std::printf("ratio                           %.2f\n", windowScan / toolScan);
    }
    // As the user closes the window: it stores its columns, then goes with
    // its list.
    start = std::chrono::steady_clock::now();
    window.close();
    shownWindow.reset();
    std::printf("close and free the window       %.3f s\n", bench::SecondsSince(start));
    return 0;
}

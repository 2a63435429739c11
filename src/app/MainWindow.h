#pragma once

#include "app/ResultListModel.h"
#include "core/config/Config.h"
#include "core/config/XMLDocument.h"
#include "core/results/DeleteChecked.h"
#include "core/results/LoadEmptyFolders.h"
#include "core/results/ResultList.h"

#include <QMainWindow>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTreeView;

namespace hollowsweep::app {

class IUserDialogs;
class ResultListController;
class WaitWindow;

// The main window: the button bar, the result list, the status bar, the menu
// bar with "About" and "Help", and the list's pop-up menu of exports. Folders
// dropped anywhere on it are scanned.
class MainWindow final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    // The product's name and version, as the caption and the about window show them.
    static QString Caption();

    // The configuration is loaded at the first show; the wait window shows
    // while the window works.
    MainWindow(IUserDialogs& dialogs, LazyConfig& config, WaitWindow& wait);
    ~MainWindow() override;

    IUserDialogs& Dialogs;
    LazyConfig& Configuration;
    WaitWindow& Wait;
    XMLDocument resultDocument;
    // Holds the result list; the window owns it.
    ResultListModel* Model;
    ResultList& List() noexcept { return Model->List(); }
    // Made at the first show, gone at close.
    std::unique_ptr<ResultListController> controller;

    QWidget* centralPanel;
    QWidget* buttonBar;
    QFrame* listFrame;
    QTreeView* resultView;
    QPushButton* openButton;
    QPushButton* checkAllButton;
    QPushButton* uncheckAllButton;
    QPushButton* deleteButton;
    QPushButton* helpButton;
    QPushButton* exitButton;
    QLabel* statusText;
    QLabel* statusCount;
    QLabel* statusKept;
    QAction* optionsAction;
    QAction* aboutAction;
    QAction* helpAction;
    QMenu* exportMenu;

    void onFirstShow();
    void onClose();

    void onOpenClicked();
    void onCheckAllClicked();
    void onUncheckAllClicked();
    void onDeleteClicked();
    void onHelpClicked();
    void onHelpTriggered();
    void onExitClicked();
    void onAboutTriggered();
    void onOptionsTriggered();

    // Scans folders behind the wait window and puts their empty folders in the
    // list, replacing what it held. A message, when given, goes to the wait
    // window first. A scan the user cancels leaves the list as it was, and
    // while one runs the window takes no other command.
    void ScanFolders(const std::vector<std::string>& folders,
                     const std::optional<QString>& message);
    // What a scan runs on its thread; tests hold it to cancel it.
    using Scanner =
        std::function<ScanOutcome(ResultList&, std::span<const std::string>, const ScanOptions&)>;
    Scanner scanner;
    // A drop of paths: the folders among them are scanned together.
    void DropFolders(const QStringList& paths);
    // The same for paths as the file system spells them, as the program's
    // arguments give them.
    void OpenFolders(const std::vector<std::string>& paths);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildButtonBar();
    void BuildList();
    void BuildMenus();
    void BuildStatusBar();
    QPushButton* AddButton(const QString& caption, const QString& icon, int left, int width,
                           bool bold, void (MainWindow::*handler)());

    ScanOutcome RunScan(ResultList& found, const std::vector<std::string>& folders,
                        ScanOptions& options);
    std::exception_ptr RunRemoval(CheckedFolderRemoval& removal, std::size_t planned,
                                  bool moveToTrash);
    std::exception_ptr RunInBackground(const std::function<void()>& work, std::atomic<bool>& cancel,
                                       const std::function<QString()>& progressText);
    void ReportRemoval(const DeleteSummary& summary, bool moveToTrash);
    void RestorePlacement();
    void StorePlacement();
    void ShowCounts();

    bool shown_ = false;
    // Where the folder chooser starts: the folder opened last.
    QString lastOpened_;
    // A scan runs: commands that would start another, or change the list,
    // wait for it.
    bool busy_ = false;
};

} // namespace hollowsweep::app

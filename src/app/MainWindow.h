#pragma once

#include "app/ResultListModel.h"
#include "core/config/Config.h"
#include "core/presenter/MainPresenter.h"
#include "core/results/ResultList.h"

#include <QMainWindow>
#include <QPersistentModelIndex>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace hollowsweep::app {

class IUserDialogs;
class QtBackgroundWork;
class QtExportPrompts;
class QtUserPrompts;
class ResultListController;
class ResultView;
class WaitWindow;

// The main window: the button bar, the result list, the status bar, the menu
// bar with "About" and "Help", and the list's pop-up menu of exports and of
// checks for a folder with its subfolders. Folders
// dropped anywhere on it are scanned. What its commands do is decided by a
// MainPresenter; the window forwards them and draws.
class MainWindow final : public QMainWindow, private IMainView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    // The product's name and version, as the caption and the about window show them.
    static QString Caption();

    // The configuration is loaded at the first show; the wait window shows
    // while the window works.
    MainWindow(IUserDialogs& dialogs, LazyConfig& config, WaitWindow& wait);
    ~MainWindow() override;

    // The result list the window shows; the window owns it.
    ResultList& List() noexcept { return model_->List(); }

    // What a scan runs on its thread; tests hold it to cancel it.
    void SetScanner(MainPresenter::Scanner scanner);
    // A drop of paths: the folders among them are scanned together.
    void DropFolders(const QStringList& paths);
    // The same for paths as the file system spells them, as the program's
    // arguments give them.
    void OpenFolders(const std::vector<std::string>& paths);

    // Before the first show, the window takes the place it was left in.
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Widgets are found by their object names, which are these names.
    IUserDialogs& dialogs_;
    LazyConfig& configuration_;
    WaitWindow& wait_;
    // Holds the result list.
    ResultListModel* model_;
    // Made at the first show, gone at close.
    std::unique_ptr<ResultListController> controller_;

    QWidget* centralPanel;
    QWidget* buttonBar;
    QFrame* listFrame;
    ResultView* resultView;
    QLineEdit* filterBox;
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
    QMenu* listMenu;
    QAction* checkSubtreeAction;
    QAction* uncheckSubtreeAction;

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
    void onSubtreeTriggered(bool checked);

    void NameWidgets();
    void BuildButtonBar();
    void BuildList();
    void BuildMenus();
    void BuildStatusBar();
    void BuildKeys();
    void LayOut();
    QPushButton* AddButton(const QString& caption, const QString& icon, int designedWidth,
                           bool bold, void (MainWindow::*handler)());

    void FocusList() override;
    void ShowNewList() override;
    void PlaceWindow();
    void StorePlacement();
    void PopUpListMenu(const QPoint& globalPosition, const QModelIndex& row);
    void ShowCounts();

    // The row the list's menu was opened for.
    QPersistentModelIndex menuRow_;
    bool placed_ = false;
    bool shown_ = false;
    std::unique_ptr<QtUserPrompts> prompts_;
    std::unique_ptr<QtBackgroundWork> work_;
    std::unique_ptr<QtExportPrompts> exportPrompts_;
    std::unique_ptr<MainPresenter> presenter_;
};

} // namespace hollowsweep::app

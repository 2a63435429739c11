#pragma once

#include "ResultListModel.h"
#include "config/XMLDocument.h"
#include "results/ResultList.h"

#include <QMainWindow>
#include <memory>
#include <optional>
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
class TQuillfenCtrl;

// The main window: the button bar, the result list, the status bar, the menu
// bar with "About" and "Help", and the list's pop-up menu of exports. Folders
// dropped anywhere on it are scanned.
class TFMMain final : public QMainWindow {
public:
    static inline const QString Caption = "Tarnwick Hollowsweep 1.9.6";

    explicit TFMMain(IUserDialogs& dialogs);
    ~TFMMain() override;

    IUserDialogs& Dialogs;
    TResultList List;
    TXMLDocument XMLDoc;
    // Goes before the list it reads, and the view lets go of it then.
    std::unique_ptr<TResultListModel> Model;
    // Made at the first show, gone at close.
    std::unique_ptr<TQuillfenCtrl> ListCtrl;

    QWidget* Panel1;
    QWidget* Panel5;
    QFrame* Panel2;
    QTreeView* VT;
    QPushButton* btnOpen;
    QPushButton* btnCheck;
    QPushButton* btnUncheck;
    QPushButton* btnDelete;
    QPushButton* BitBtn5;
    QPushButton* BitBtn1;
    QLabel* SBPanel0;
    QLabel* SBPanel1;
    QAction* m1;
    QAction* Help1;
    QMenu* PopupMenu1;
    QAction* ExportToHTML1;
    QAction* ExportToText1;
    QAction* ExportToExcel1;
    QAction* ExportToSCV1;
    QAction* ExportToXML1;

    void FormShow();
    void FormClose();

    void btnOpenClick();
    void btnCheckClick();
    void btnUncheckClick();
    void btnDeleteClick();
    void BitBtn5Click();
    void Help1Click();
    void BitBtn1Click();
    void m1Click();

    // Scans folders behind the wait window and puts their empty folders in the
    // list, replacing what it held. A message, when given, goes to the wait
    // window first.
    void ScanFolders(const std::vector<std::string>& folders,
                     const std::optional<QString>& message);
    // A drop of paths: the folders among them are scanned together.
    void DropFolders(const QStringList& paths);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildButtonBar();
    void BuildList();
    void BuildMenus();
    void BuildStatusBar();
    QPushButton* AddButton(const QString& caption, const QString& icon, int left, int width,
                           bool bold, void (TFMMain::*handler)());

    bool shown_ = false;
};

} // namespace hollowsweep::app

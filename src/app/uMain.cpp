#include "uMain.h"

#include "ExceptionGuard.h"
#include "ListDecoration.h"
#include "QuillfenCtrl.h"
#include "UAbout.h"
#include "UserDialogs.h"
#include "platform/FolderPaths.h"
#include "results/DeleteChecked.h"
#include "scan/FileReader.h"
#include "uFunction.h"
#include "uWaitForm.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QTreeView>
#include <atomic>

namespace hollowsweep::app {

namespace {

constexpr int ClientWidth = 980;
constexpr int ClientHeight = 401;
constexpr int StatusBarHeight = 19;
constexpr int ButtonBarHeight = 68;

// The wait window takes all input while a scan runs on another thread, and
// gives it back however the scan ends.
class TScanWaitScope {
public:
    explicit TScanWaitScope(const std::optional<QString>& message) {
        if (TWaitForm* wait = WaitForm(); wait != nullptr && !wait->isVisible()) {
            wait->setWindowModality(Qt::ApplicationModal);
        }
        ShowWaitForm(true);
        if (message) {
            SetWaitMessage(*message);
        }
    }
    TScanWaitScope(const TScanWaitScope&) = delete;
    TScanWaitScope& operator=(const TScanWaitScope&) = delete;
    ~TScanWaitScope() {
        SetWaitProgress({});
        ShowWaitForm(false);
        if (TWaitForm* wait = WaitForm(); wait != nullptr) {
            wait->setWindowModality(Qt::NonModal);
        }
    }
};

} // namespace

TFMMain::TFMMain(IUserDialogs& dialogs)
    : Dialogs(dialogs) {
    setObjectName("FMMain");
    UseSmallFont(this);
    Panel1 = new QWidget(this);
    setCentralWidget(Panel1);
    BuildButtonBar();
    BuildList();
    BuildMenus();
    BuildStatusBar();
    setWindowIcon(QIcon(":/icons/hollowsweep.svg"));
    // The frame cannot be dragged to a new size.
    setFixedSize(ClientWidth, menuBar()->sizeHint().height() + ClientHeight);
    setTabOrder(BitBtn5, btnCheck);
    setTabOrder(btnCheck, btnUncheck);
    setTabOrder(btnUncheck, btnDelete);
    setTabOrder(btnDelete, btnOpen);
    setTabOrder(btnOpen, BitBtn1);
    setTabOrder(BitBtn1, VT);
    move(screen()->availableGeometry().center() - rect().center());
}

TFMMain::~TFMMain() {
    ListCtrl.reset();
    VT->setModel(nullptr);
}

QPushButton* TFMMain::AddButton(const QString& caption, const QString& icon, int left, int width,
                                bool bold, void (TFMMain::*handler)()) {
    auto* button = new QPushButton(QIcon(":/icons/" + icon + ".svg"), caption, Panel5);
    button->setGeometry(left, 9, width, 54);
    button->setIconSize(QSize(48, 48));
    QFont font = button->font();
    font.setBold(bold);
    button->setFont(font);
    connect(button, &QPushButton::clicked, this,
            [this, handler] { Guarded([&] { (this->*handler)(); }); });
    return button;
}

void TFMMain::BuildButtonBar() {
    Panel5 = new QWidget(Panel1);
    Panel5->setGeometry(0, 0, ClientWidth, ButtonBarHeight);
    btnOpen = AddButton("&Open Folder", "open-folder", 9, 132, true, &TFMMain::btnOpenClick);
    btnCheck = AddButton("&Check All", "check-all", 140, 132, false, &TFMMain::btnCheckClick);
    btnUncheck =
        AddButton("&Uncheck All", "uncheck-all", 271, 132, false, &TFMMain::btnUncheckClick);
    btnDelete = AddButton("&Delete Checked From Disk", "delete-checked", 402, 215, true,
                          &TFMMain::btnDeleteClick);
    BitBtn5 = AddButton("&Help", "help", 616, 132, false, &TFMMain::BitBtn5Click);
    BitBtn1 = AddButton("E&xit", "exit", 747, 132, false, &TFMMain::BitBtn1Click);
}

void TFMMain::BuildList() {
    Panel2 = new QFrame(Panel1);
    Panel2->setGeometry(0, ButtonBarHeight, ClientWidth,
                        ClientHeight - StatusBarHeight - ButtonBarHeight);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(2);
    VT = new QTreeView(Panel2);
    VT->setObjectName("VT");
    VT->setGeometry(2, 2, Panel2->width() - 4, Panel2->height() - 4);
    VT->setFrameShape(QFrame::NoFrame);
    Model = std::make_unique<TResultListModel>(List, nullptr);
    VT->setModel(Model.get());
    VT->setItemDelegate(new TGridDelegate(VT));
    VT->setRootIsDecorated(false);
    VT->setItemsExpandable(false);
    VT->setUniformRowHeights(true);
    VT->setAllColumnsShowFocus(true);
    VT->setSelectionBehavior(QAbstractItemView::SelectRows);
    VT->setSelectionMode(QAbstractItemView::ExtendedSelection);
    VT->setMouseTracking(true);
    VT->setSortingEnabled(false);
    VT->setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView* header = VT->header();
    header->setFixedHeight(17);
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(false);
    header->setHighlightSections(false);
}

void TFMMain::BuildMenus() {
    m1 = menuBar()->addAction("About");
    Help1 = menuBar()->addAction("Help");
    connect(m1, &QAction::triggered, this, [this] { Guarded([&] { m1Click(); }); });
    connect(Help1, &QAction::triggered, this, [this] { Guarded([&] { Help1Click(); }); });

    PopupMenu1 = new QMenu(this);
    auto* style = new TLargeMenuIconStyle;
    style->setParent(PopupMenu1);
    PopupMenu1->setStyle(style);
    const auto addExport = [this](const QString& caption, const QString& icon,
                                  void (TQuillfenCtrl::*operation)(QTreeView*)) {
        QAction* action = PopupMenu1->addAction(QIcon(":/icons/" + icon + ".svg"), caption);
        connect(action, &QAction::triggered, this, [this, operation] {
            Guarded([&] {
                if (ListCtrl) {
                    (ListCtrl.get()->*operation)(VT);
                }
            });
        });
        return action;
    };
    ExportToHTML1 = addExport("Export To HTML", "export-html", &TQuillfenCtrl::ExportToHTML);
    ExportToText1 = addExport("Export To Text", "export-text", &TQuillfenCtrl::ExportToText);
    ExportToExcel1 = addExport("Export To Excel", "export-excel", &TQuillfenCtrl::ExportToExcel);
    ExportToSCV1 = addExport("Export To SCV", "export-csv", &TQuillfenCtrl::ExportToCSV);
    ExportToXML1 = addExport("Export To XML", "export-xml", &TQuillfenCtrl::ExportToXML);
    connect(VT, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        PopupMenu1->popup(VT->viewport()->mapToGlobal(position));
    });
}

void TFMMain::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setFixedHeight(StatusBarHeight);
    bar->setSizeGripEnabled(false);
    SBPanel0 = new QLabel(bar);
    SBPanel0->setFixedWidth(700);
    SBPanel1 = new QLabel(bar);
    SBPanel1->setFixedWidth(50);
    for (QLabel* panel : {SBPanel0, SBPanel1}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(panel);
    }
}

void TFMMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        Guarded([&] { FormShow(); });
    }
}

void TFMMain::FormShow() {
    setWindowTitle(Caption);
    ListCtrl = std::make_unique<TQuillfenCtrl>(this);
    ListCtrl->SetupColumns(VT);
    setAcceptDrops(true);
}

void TFMMain::closeEvent(QCloseEvent* event) {
    Guarded([&] { FormClose(); });
    QMainWindow::closeEvent(event);
}

void TFMMain::FormClose() {
    if (!ListCtrl) {
        return;
    }
    // A store that fails never keeps the program from closing.
    Guarded([&] { ListCtrl->SaveColumns(); });
    ListCtrl.reset();
}

void TFMMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TFMMain::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(url.toLocalFile());
        }
    }
    event->acceptProposedAction();
    Guarded([&] { DropFolders(paths); });
}

void TFMMain::DropFolders(const QStringList& paths) {
    std::vector<std::string> folders;
    for (const QString& path : paths) {
        std::string local = LocalPath(path);
        if (IsExistingFolder(local)) {
            folders.push_back(std::move(local));
        }
    }
    if (folders.empty()) {
        ShowWaitForm(true);
        ShowWaitForm(false);
        return;
    }
    ScanFolders(folders, std::nullopt);
}

void TFMMain::ScanFolders(const std::vector<std::string>& folders,
                          const std::optional<QString>& message) {
    const TScanWaitScope wait(message);
    std::atomic<std::uint64_t> scanned{0};
    TScanOptions options;
    options.Progress = [&scanned](std::uint64_t count) {
        scanned.store(count);
    };
    TResultList found;
    std::exception_ptr failure;
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            LoadEmptyFolders(found, folders, options);
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer progress;
    connect(&progress, &QTimer::timeout, &loop,
            [&scanned] { SetWaitProgress(QString("%1 folders scanned").arg(scanned.load())); });
    progress.start(100);
    worker->start();
    loop.exec();
    worker->wait();
    if (failure) {
        std::rethrow_exception(failure);
    }
    List.Replace(std::move(found));
}

void TFMMain::btnOpenClick() {
    const QString folder = ChooseFolder(Dialogs, this);
    if (folder.isEmpty()) {
        return;
    }
    repaint();
    ScanFolders({LocalPath(folder)}, QString("Loading info.."));
}

void TFMMain::btnCheckClick() {
    List.CheckAll();
}

void TFMMain::btnUncheckClick() {
    List.UncheckAll();
}

void TFMMain::btnDeleteClick() {
    if (!Dialogs.AskYesNo(this, "Are you sure to delete the folders?", "Warning")) {
        return;
    }
    DeleteCheckedFolders(List);
}

void TFMMain::BitBtn5Click() {
    OpenWebSite(Dialogs);
}

void TFMMain::Help1Click() {
    OpenWebSite(Dialogs);
}

void TFMMain::BitBtn1Click() {
    close();
}

void TFMMain::m1Click() {
    TFMAbout about(Dialogs, this);
    about.exec();
}

} // namespace hollowsweep::app

#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "app/DesktopLinks.h"
#include "app/DesktopTrash.h"
#include "app/ExceptionGuard.h"
#include "app/ExportPrompts.h"
#include "app/OptionsDialog.h"
#include "app/PathText.h"
#include "app/ResultListController.h"
#include "app/UserDialogs.h"
#include "app/WaitWindow.h"
#include "app/WindowLook.h"
#include "core/config/RemovalSetting.h"
#include "core/config/ScanRulesSetting.h"
#include "core/config/WindowFrameSetting.h"
#include "core/errors/Errors.h"
#include "core/export/ExportFormats.h"
#include "core/platform/FolderPaths.h"
#include "core/product/Messages.h"
#include "core/product/Product.h"
#include "core/results/DeleteChecked.h"
#include "core/results/LoadEmptyFolders.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <atomic>

namespace hollowsweep::app {

namespace {

QString FolderCount(std::size_t count) {
    return count == 1 ? QCoreApplication::translate("hollowsweep::app::MainWindow", "1 folder")
                      : QCoreApplication::translate("hollowsweep::app::MainWindow", "%1 folders")
                            .arg(count);
}

constexpr int ClientWidth = 980;
constexpr int ClientHeight = 401;
constexpr int StatusBarHeight = 19;
constexpr int ButtonBarHeight = 68;

// Shows the wait window, modal, for the time a scan or a removal runs on
// another thread: it takes all input, and gives it back however the work ends.
class WorkWaitScope {
public:
    WorkWaitScope(WaitWindow& wait, const std::optional<QString>& message)
        : wait_(wait) {
        if (!wait_.isVisible()) {
            wait_.setWindowModality(Qt::ApplicationModal);
        }
        wait_.ShowWaitForm(true);
        if (message) {
            wait_.SetWaitMessage(*message);
        }
    }
    WorkWaitScope(const WorkWaitScope&) = delete;
    WorkWaitScope& operator=(const WorkWaitScope&) = delete;
    ~WorkWaitScope() {
        wait_.SetCancellable(false);
        wait_.SetWaitProgress({});
        wait_.ShowWaitForm(false);
        wait_.setWindowModality(Qt::NonModal);
    }

private:
    WaitWindow& wait_;
};

} // namespace

QString MainWindow::Caption() {
    return DisplayText(ProductName) + " " + DisplayText(ProgramVersion);
}

MainWindow::MainWindow(IUserDialogs& dialogs, LazyConfig& config, WaitWindow& wait)
    : Dialogs(dialogs)
    , Configuration(config)
    , Wait(wait) {
    Wait.SetMainWindow(this);
    UseSmallFont(this);
    centralPanel = new QWidget(this);
    setCentralWidget(centralPanel);
    BuildButtonBar();
    BuildList();
    BuildMenus();
    BuildStatusBar();
    setWindowIcon(QIcon(":/icons/hollowsweep.svg"));
    // It opens at its designed size, which is also the least it can take:
    // the buttons keep their places, and the list grows with the window.
    setMinimumSize(ClientWidth, menuBar()->sizeHint().height() + ClientHeight);
    resize(minimumSize());
    setTabOrder(helpButton, checkAllButton);
    setTabOrder(checkAllButton, uncheckAllButton);
    setTabOrder(uncheckAllButton, deleteButton);
    setTabOrder(deleteButton, openButton);
    setTabOrder(openButton, exitButton);
    setTabOrder(exitButton, resultView);
    move(screen()->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() = default;

QPushButton* MainWindow::AddButton(const QString& caption, const QString& icon, int left, int width,
                                   bool bold, void (MainWindow::*handler)()) {
    auto* button = new QPushButton(QIcon(":/icons/" + icon + ".svg"), caption, buttonBar);
    button->setGeometry(left, 9, width, 54);
    button->setIconSize(QSize(48, 48));
    QFont font = button->font();
    font.setBold(bold);
    button->setFont(font);
    connect(button, &QPushButton::clicked, this,
            [this, handler] { Guarded([&] { (this->*handler)(); }); });
    return button;
}

void MainWindow::BuildButtonBar() {
    buttonBar = new QWidget(centralPanel);
    buttonBar->setGeometry(0, 0, ClientWidth, ButtonBarHeight);
    openButton =
        AddButton(tr("&Open Folder"), "open-folder", 9, 132, true, &MainWindow::onOpenClicked);
    checkAllButton =
        AddButton(tr("&Check All"), "check-all", 140, 132, false, &MainWindow::onCheckAllClicked);
    uncheckAllButton = AddButton(tr("&Uncheck All"), "uncheck-all", 271, 132, false,
                                 &MainWindow::onUncheckAllClicked);
    deleteButton = AddButton(tr("&Delete Checked From Disk"), "delete-checked", 402, 215, true,
                             &MainWindow::onDeleteClicked);
    helpButton = AddButton(tr("&Help"), "help", 616, 132, false, &MainWindow::onHelpClicked);
    exitButton = AddButton(tr("E&xit"), "exit", 747, 132, false, &MainWindow::onExitClicked);
}

void MainWindow::BuildList() {
    listFrame = new QFrame(centralPanel);
    listFrame->setGeometry(0, ButtonBarHeight, ClientWidth,
                           ClientHeight - StatusBarHeight - ButtonBarHeight);
    listFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    listFrame->setLineWidth(2);
    resultView = new QTreeView(listFrame);
    resultView->setGeometry(2, 2, listFrame->width() - 4, listFrame->height() - 4);
    resultView->setFrameShape(QFrame::NoFrame);
    Model = new ResultListModel(this);
    resultView->setModel(Model);
    connect(Model, &QAbstractItemModel::modelReset, this, [this] { ShowCounts(); });
    connect(Model, &QAbstractItemModel::dataChanged, this, [this] { ShowCounts(); });
    resultView->setItemDelegate(new GridDelegate(resultView));
    resultView->setRootIsDecorated(false);
    resultView->setItemsExpandable(false);
    resultView->setUniformRowHeights(true);
    resultView->setAllColumnsShowFocus(true);
    resultView->setSelectionBehavior(QAbstractItemView::SelectRows);
    resultView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    resultView->setMouseTracking(true);
    resultView->setSortingEnabled(false);
    resultView->setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView* header = resultView->header();
    header->setFixedHeight(17);
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(false);
    header->setHighlightSections(false);
}

void MainWindow::BuildMenus() {
    optionsAction = menuBar()->addAction(tr("Options..."));
    optionsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    aboutAction = menuBar()->addAction(tr("About"));
    helpAction = menuBar()->addAction(tr("Help"));
    connect(optionsAction, &QAction::triggered, this,
            [this] { Guarded([&] { onOptionsTriggered(); }); });
    connect(aboutAction, &QAction::triggered, this,
            [this] { Guarded([&] { onAboutTriggered(); }); });
    connect(helpAction, &QAction::triggered, this, [this] { Guarded([&] { onHelpTriggered(); }); });

    exportMenu = new QMenu(this);
    auto* style = new LargeMenuIconStyle;
    style->setParent(exportMenu);
    exportMenu->setStyle(style);
    for (const ExportFormat& format : ExportFormats()) {
        if (format.MenuCaption == nullptr) {
            continue;
        }
        QAction* action =
            exportMenu->addAction(QIcon(":/icons/" + QString::fromUtf8(format.Icon) + ".svg"),
                                  QString::fromUtf8(Tr(format.MenuCaption)));
        connect(action, &QAction::triggered, this, [this, &format] {
            Guarded([&] {
                if (controller) {
                    controller->Export(format);
                }
            });
        });
    }
    connect(resultView, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        exportMenu->popup(resultView->viewport()->mapToGlobal(position));
    });
}

void MainWindow::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setFixedHeight(StatusBarHeight);
    bar->setSizeGripEnabled(false);
    statusText = new QLabel(bar);
    statusText->setFixedWidth(700);
    statusCount = new QLabel(bar);
    statusCount->setFixedWidth(50);
    statusKept = new QLabel(bar);
    statusKept->setFixedWidth(200);
    for (QLabel* panel : {statusText, statusCount, statusKept}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(panel);
    }
}

namespace {

// A panel's hint: a heading and the first folders, each with its reason.
template <class Folder, class Describe>
QString FolderHint(QString heading, const std::vector<Folder>& folders, Describe describe) {
    constexpr std::size_t Shown = 30;
    for (std::size_t i = 0; i < folders.size() && i < Shown; ++i) {
        heading += "\n" + DisplayText(folders[i].Path) + ": " + describe(folders[i]);
    }
    if (folders.size() > Shown) {
        heading += MainWindow::tr("\n... and %1 more").arg(folders.size() - Shown);
    }
    return heading;
}

void ClearPanel(QLabel* panel) {
    panel->clear();
    panel->setToolTip({});
}

} // namespace

// "N empty folders, M checked" once a scan filled the list; in the second
// panel how many folders the scan could not read, and in the third how many
// it kept for other programs, which their hints name.
void MainWindow::ShowCounts() {
    const ResultList& list = List();
    if (list.ScannedFolders().empty() && list.Empty()) {
        statusText->clear();
        ClearPanel(statusCount);
        ClearPanel(statusKept);
        return;
    }
    const auto checked =
        std::count_if(list.begin(), list.end(), [](const ResultEntry& e) { return e.Checked; });
    statusText->setText(tr("%1 empty %2, %3 checked", nullptr, static_cast<int>(list.Count()))
                            .arg(list.Count())
                            .arg(list.Count() == 1 ? tr("folder") : tr("folders"))
                            .arg(checked));
    const auto& unreadable = list.UnreadableFolders();
    if (unreadable.empty()) {
        ClearPanel(statusCount);
    } else {
        statusCount->setText(QString::number(unreadable.size()));
        statusCount->setToolTip(FolderHint(
            tr("%1 could not be read:", nullptr, static_cast<int>(unreadable.size()))
                .arg(FolderCount(unreadable.size())),
            unreadable,
            [](const UnreadableFolder& f) { return DisplayText(SystemErrorText(f.Error)); }));
    }
    const auto& kept = list.KeptFolders();
    if (kept.empty()) {
        ClearPanel(statusKept);
    } else {
        const auto count = static_cast<int>(kept.size());
        statusKept->setText(tr("%n kept for other programs", nullptr, count));
        statusKept->setToolTip(FolderHint(
            tr("%1 kept because other programs need them:", nullptr, count)
                .arg(FolderCount(kept.size())),
            kept, [](const KeptFolder& f) { return DisplayText(ProtectionReason(f.Reason)); }));
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const QSize area = centralPanel->size();
    buttonBar->resize(area.width(), ButtonBarHeight);
    listFrame->setGeometry(0, ButtonBarHeight, area.width(),
                           std::max(0, area.height() - ButtonBarHeight));
    resultView->setGeometry(2, 2, std::max(0, listFrame->width() - 4),
                            std::max(0, listFrame->height() - 4));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        Guarded([&] { onFirstShow(); });
    }
}

void MainWindow::onFirstShow() {
    setWindowTitle(Caption());
    // A place that cannot be read leaves the window where it opened.
    Guarded([&] { RestorePlacement(); });
    controller = std::make_unique<ResultListController>(this);
    controller->SetupColumns(resultView);
    setAcceptDrops(true);
}

// The frame element holds the size it came with until the window stored its
// own, and that size is smaller than the window can be: then the window opens
// at its designed size, centred. A place on no screen any more is not taken.
void MainWindow::RestorePlacement() {
    const WindowFrame frame = ReadWindowFrame(*Configuration.GetConfig().Root());
    if (frame.Width < minimumWidth() || frame.Height < minimumHeight()) {
        return;
    }
    resize(frame.Width, frame.Height);
    const QRect placed(QPoint(frame.Left, frame.Top), size());
    const auto screens = QGuiApplication::screens();
    if (std::any_of(screens.begin(), screens.end(), [&placed](const QScreen* shown) {
            const QRect visible = shown->availableGeometry().intersected(placed);
            return visible.width() >= 100 && visible.height() >= 50;
        })) {
        move(placed.topLeft());
    }
    if (frame.Maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

// The position of the frame and the size of the client area, as move and
// resize take them, of the window as it is when not maximised.
void MainWindow::StorePlacement() {
    ConfigRoot& root = *Configuration.GetConfig().Root();
    WindowFrame frame = ReadWindowFrame(root);
    frame.Maximized = isMaximized();
    const QRect normal = isMaximized() ? normalGeometry() : geometry();
    if (normal.isValid()) {
        const QPoint frameOffset = geometry().topLeft() - pos();
        frame.Left = normal.left() - frameOffset.x();
        frame.Top = normal.top() - frameOffset.y();
        frame.Width = normal.width();
        frame.Height = normal.height();
    }
    WriteWindowFrame(root, frame);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    Guarded([&] { onClose(); });
    QMainWindow::closeEvent(event);
}

void MainWindow::onClose() {
    if (!controller) {
        return;
    }
    // A store that fails never keeps the program from closing.
    Guarded([&] { StorePlacement(); });
    Guarded([&] { controller->SaveColumns(); });
    controller.reset();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!busy_ && event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(url.toLocalFile());
        }
    }
    event->acceptProposedAction();
    // The program the folders came from waits for the drop to be taken, not
    // for the scan: that runs once the drop is over.
    QTimer::singleShot(0, this, [this, paths] { Guarded([&] { DropFolders(paths); }); });
}

void MainWindow::DropFolders(const QStringList& paths) {
    std::vector<std::string> local;
    for (const QString& path : paths) {
        local.push_back(LocalPath(path));
    }
    OpenFolders(local);
}

void MainWindow::OpenFolders(const std::vector<std::string>& paths) {
    std::vector<std::string> folders;
    for (const std::string& path : paths) {
        if (IsExistingFolder(path)) {
            folders.push_back(path);
        }
    }
    if (folders.empty()) {
        Wait.ShowWaitForm(true);
        Wait.ShowWaitForm(false);
        return;
    }
    ScanFolders(folders, std::nullopt);
}

void MainWindow::ScanFolders(const std::vector<std::string>& folders,
                             const std::optional<QString>& message) {
    if (busy_) {
        return;
    }
    ScanOptions options;
    try {
        options.Rules = ReadScanRules(*Configuration.GetConfig().Root());
    } catch (const HollowsweepError& error) {
        // Scanning without a rule the user set could offer folders meant to stay.
        Dialogs.ShowMessage(this,
                            tr("The scan rules could not be read, so nothing was scanned: ") +
                                DisplayText(error.what()),
                            tr("Warning"), MessageIcon::Warning);
        return;
    }
    busy_ = true;
    const auto idle = qScopeGuard([this] { busy_ = false; });
    ScanOutcome outcome;
    ResultList found;
    {
        const WorkWaitScope waiting(Wait, message);
        Wait.SetCancellable(true);
        outcome = RunScan(found, folders, options);
    }
    // The wait window had the keyboard; give it back to the list.
    activateWindow();
    resultView->setFocus();
    if (outcome.Cancelled) {
        return;
    }
    // The list stays as quiet about an error as ever; the error is not lost.
    List().Replace(std::move(found));
    if (!outcome) {
        IgnoreException(outcome.Error);
    }
}

ScanOutcome MainWindow::RunScan(ResultList& found, const std::vector<std::string>& folders,
                                ScanOptions& options) {
    std::atomic<std::uint64_t> scanned{0};
    options.Progress = [&scanned](std::uint64_t count) {
        scanned.store(count);
    };
    std::atomic<bool> cancel{false};
    options.Cancel = &cancel;
    ScanOutcome outcome;
    const std::exception_ptr error = RunInBackground(
        [&] {
            outcome = scanner ? scanner(found, folders, options)
                              : LoadEmptyFolders(found, folders, options);
        },
        cancel, [&scanned] { return tr("%1 folders scanned").arg(scanned.load()); });
    if (error) {
        outcome.Error = error;
    }
    return outcome;
}

// The work runs on a thread of its own while this one keeps the windows
// painted and the wait window's progress line moving, and turns its Cancel
// into the work's cancel flag. Nothing the work throws crosses the thread.
std::exception_ptr MainWindow::RunInBackground(const std::function<void()>& work,
                                               std::atomic<bool>& cancel,
                                               const std::function<QString()>& progressText) {
    std::exception_ptr error;
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
    }));
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    connect(&Wait, &WaitWindow::cancelRequested, &loop, [this, &cancel] {
        cancel = true;
        Wait.cancelButton->setEnabled(false);
        Wait.SetWaitMessage(tr("Cancelling.."));
    });
    QTimer progress;
    connect(&progress, &QTimer::timeout, &loop,
            [this, &progressText] { Wait.SetWaitProgress(progressText()); });
    progress.start(100);
    worker->start();
    loop.exec();
    worker->wait();
    return error;
}

void MainWindow::onOpenClicked() {
    if (busy_) {
        return;
    }
    const QString folder = Dialogs.ChooseFolder(this, lastOpened_);
    if (folder.isEmpty()) {
        return;
    }
    lastOpened_ = folder;
    repaint();
    ScanFolders({LocalPath(folder)}, tr("Loading info.."));
}

void MainWindow::onCheckAllClicked() {
    List().CheckAll();
}

void MainWindow::onUncheckAllClicked() {
    List().UncheckAll();
}

void MainWindow::onDeleteClicked() {
    if (busy_) {
        return;
    }
    const auto checked = static_cast<std::size_t>(std::count_if(
        List().begin(), List().end(), [](const ResultEntry& e) { return e.Checked; }));
    if (checked == 0) {
        return;
    }
    bool moveToTrash = false;
    try {
        moveToTrash = ReadMoveToTrash(*Configuration.GetConfig().Root());
    } catch (const HollowsweepError& error) {
        // Removing what the user wanted in the trash could not be undone.
        Dialogs.ShowMessage(this,
                            tr("The removal options could not be read, so nothing was removed: ") +
                                DisplayText(error.what()),
                            tr("Warning"), MessageIcon::Warning);
        return;
    }
    QString question =
        tr("Are you sure to delete the folders?\n\n%1 checked").arg(FolderCount(checked));
    if (moveToTrash) {
        question += tr(", to be moved to the trash");
    }
    if (!Dialogs.AskYesNo(this, question, tr("Warning"))) {
        return;
    }
    busy_ = true;
    const auto idle = qScopeGuard([this] { busy_ = false; });
    CheckedFolderRemoval removal(List());
    const std::size_t planned = removal.Plan();
    std::exception_ptr error;
    {
        const WorkWaitScope waiting(Wait, moveToTrash ? tr("Moving folders to the trash..")
                                                      : tr("Removing folders.."));
        Wait.SetCancellable(true);
        error = RunRemoval(removal, planned, moveToTrash);
    }
    const DeleteSummary summary = removal.Finish();
    activateWindow();
    resultView->setFocus();
    if (error) {
        IgnoreException(error);
    }
    ReportRemoval(summary, moveToTrash);
}

// The removal's own threads do the work; this one keeps the window painted
// and the count moving.
std::exception_ptr MainWindow::RunRemoval(CheckedFolderRemoval& removal, std::size_t planned,
                                          bool moveToTrash) {
    std::atomic<std::size_t> removed{0};
    std::atomic<bool> cancel{false};
    RemovalOptions options;
    options.Cancel = &cancel;
    if (moveToTrash) {
        options.MoveToTrash = MoveToDesktopTrash;
    }
    const QString progress =
        moveToTrash ? tr("%1 of %2 folders moved to the trash") : tr("%1 of %2 folders removed");
    return RunInBackground(
        [&] { removal.Remove(options, [&removed](std::string_view) { ++removed; }); }, cancel,
        [&removed, planned, &progress] { return progress.arg(removed.load()).arg(planned); });
}

void MainWindow::ReportRemoval(const DeleteSummary& summary, bool moveToTrash) {
    QString text =
        FolderCount(summary.Removed) + (moveToTrash ? tr(" moved to the trash.") : tr(" removed."));
    if (!summary.Failures.empty()) {
        const auto failed = static_cast<int>(summary.Failures.size());
        text += "\n" + FolderCount(summary.Failures.size()) +
                (moveToTrash ? tr(" could not be moved to the trash.", nullptr, failed)
                             : tr(" could not be removed.", nullptr, failed));
    }
    if (!summary.Complete) {
        text += tr("\nThe removal was cancelled before every checked folder was handled.");
    }
    QString details;
    for (const auto& failure : summary.Failures) {
        details += DisplayText(failure.Path) + ": " +
                   DisplayText(RemovalReason(failure.Outcome, failure.ErrorCode)) + "\n";
    }
    Dialogs.ShowReport(this, text, details, tr("Delete Checked From Disk"));
}

void MainWindow::onHelpClicked() {
    OpenWebSite(Dialogs);
}

void MainWindow::onHelpTriggered() {
    OpenWebSite(Dialogs);
}

void MainWindow::onExitClicked() {
    close();
}

void MainWindow::onOptionsTriggered() {
    if (busy_) {
        return;
    }
    Config* config = nullptr;
    try {
        config = &Configuration.GetConfig();
    } catch (const HollowsweepError& error) {
        Dialogs.ShowMessage(this,
                            tr("The configuration could not be read: ") + DisplayText(error.what()),
                            tr("Options"), MessageIcon::Warning);
        return;
    }
    OptionsDialog options(*config, Dialogs, this);
    options.exec();
}

void MainWindow::onAboutTriggered() {
    AboutDialog about(Dialogs, this);
    about.exec();
}

} // namespace hollowsweep::app

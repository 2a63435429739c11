#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "app/BackgroundWork.h"
#include "app/DesktopLinks.h"
#include "app/DesktopTrash.h"
#include "app/ExceptionGuard.h"
#include "app/ExportPrompts.h"
#include "app/FilterBox.h"
#include "app/OptionsDialog.h"
#include "app/PathText.h"
#include "app/ResultListController.h"
#include "app/ResultView.h"
#include "app/UserDialogs.h"
#include "app/UserPrompts.h"
#include "app/WaitWindow.h"
#include "app/WindowLook.h"
#include "core/config/WindowFrameSetting.h"
#include "core/errors/Errors.h"
#include "core/export/ExportFormats.h"
#include "core/platform/FolderPaths.h"
#include "core/product/Messages.h"
#include "core/product/Product.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

namespace hollowsweep::app {

namespace {

constexpr int ClientWidth = 980;
constexpr int ClientHeight = 401;
constexpr int StatusBarHeight = 19;
constexpr int ButtonBarHeight = 68;

} // namespace

QString MainWindow::Caption() {
    return DisplayText(ProductName) + " " + DisplayText(ProgramVersion);
}

MainWindow::MainWindow(IUserDialogs& dialogs, LazyConfig& config, WaitWindow& wait)
    : dialogs_(dialogs)
    , configuration_(config)
    , wait_(wait) {
    wait_.SetMainWindow(this);
    UseSmallFont(this);
    centralPanel = new QWidget(this);
    setCentralWidget(centralPanel);
    BuildButtonBar();
    BuildList();
    BuildMenus();
    BuildStatusBar();
    NameWidgets();
    prompts_ = std::make_unique<QtUserPrompts>(dialogs_, this);
    work_ = std::make_unique<QtBackgroundWork>(wait_);
    exportPrompts_ = std::make_unique<QtExportPrompts>(dialogs_, wait_, this);
    IMainView& view = *this;
    presenter_ = std::make_unique<MainPresenter>(List(), configuration_, view, *prompts_, *work_,
                                                 *exportPrompts_, MoveToDesktopTrash);
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
    setTabOrder(exitButton, filterBox);
    setTabOrder(filterBox, resultView);
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

void MainWindow::NameWidgets() {
    const std::pair<QObject*, const char*> named[] = {
        {centralPanel, "centralPanel"},     {buttonBar, "buttonBar"},
        {listFrame, "listFrame"},           {resultView, "resultView"},
        {filterBox, "filterBox"},           {openButton, "openButton"},
        {checkAllButton, "checkAllButton"}, {uncheckAllButton, "uncheckAllButton"},
        {deleteButton, "deleteButton"},     {helpButton, "helpButton"},
        {exitButton, "exitButton"},         {statusText, "statusText"},
        {statusCount, "statusCount"},       {statusKept, "statusKept"},
        {optionsAction, "optionsAction"},   {aboutAction, "aboutAction"},
        {helpAction, "helpAction"},         {exportMenu, "exportMenu"},
    };
    for (const auto& [object, name] : named) {
        object->setObjectName(name);
    }
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
    model_ = new ResultListModel(this);
    filterBox = new FilterBox(model_->List(), this, listFrame);
    resultView = new ResultView(listFrame);
    PlaceList();
    resultView->setFrameShape(QFrame::NoFrame);
    resultView->setModel(model_);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { ShowCounts(); });
    connect(model_, &QAbstractItemModel::dataChanged, this, [this] { ShowCounts(); });
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
                if (controller_) {
                    presenter_->Export(format);
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

void ShowPanel(QLabel* label, const StatusPanel& panel) {
    label->setText(DisplayText(panel.Text));
    label->setToolTip(DisplayText(panel.Hint));
}

} // namespace

void MainWindow::ShowCounts() {
    if (!presenter_) {
        return;
    }
    const StatusTexts status = presenter_->Status();
    ShowPanel(statusText, status.Counts);
    ShowPanel(statusCount, status.Unreadable);
    ShowPanel(statusKept, status.Kept);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const QSize area = centralPanel->size();
    buttonBar->resize(area.width(), ButtonBarHeight);
    listFrame->setGeometry(0, ButtonBarHeight, area.width(),
                           std::max(0, area.height() - ButtonBarHeight));
    PlaceList();
}

// The filter box on top of the list, the list below it.
void MainWindow::PlaceList() {
    const int width = std::max(0, listFrame->width() - 4);
    const int filterHeight = filterBox->sizeHint().height();
    filterBox->setGeometry(2, 2, width, filterHeight);
    resultView->setGeometry(2, 2 + filterHeight, width,
                            std::max(0, listFrame->height() - 4 - filterHeight));
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
    controller_ =
        std::make_unique<ResultListController>(resultView, *model_, configuration_, dialogs_);
    controller_->SetupColumns(resultView);
    setAcceptDrops(true);
}

// The frame element holds the size it came with until the window stored its
// own, and that size is smaller than the window can be: then the window opens
// at its designed size, centred. A place on no screen any more is not taken.
void MainWindow::RestorePlacement() {
    const WindowFrame frame = ReadWindowFrame(*configuration_.GetConfig().Root());
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
    ConfigRoot& root = *configuration_.GetConfig().Root();
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
    if (!controller_) {
        return;
    }
    // A store that fails never keeps the program from closing.
    Guarded([&] { StorePlacement(); });
    Guarded([&] { controller_->SaveColumns(); });
    controller_.reset();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!presenter_->Busy() && event->mimeData()->hasUrls()) {
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
    presenter_->OpenFolders(paths);
}

void MainWindow::SetScanner(MainPresenter::Scanner scanner) {
    presenter_->SetScanner(std::move(scanner));
}

void MainWindow::FocusList() {
    activateWindow();
    resultView->setFocus();
}

void MainWindow::ShowNewList() {
    if (controller_) {
        controller_->ForgetSort();
    }
}

void MainWindow::onOpenClicked() {
    presenter_->OpenFolder();
}

void MainWindow::onCheckAllClicked() {
    presenter_->CheckAll();
}

void MainWindow::onUncheckAllClicked() {
    presenter_->UncheckAll();
}

void MainWindow::onDeleteClicked() {
    presenter_->DeleteChecked();
}

void MainWindow::onHelpClicked() {
    OpenWebSite(dialogs_);
}

void MainWindow::onHelpTriggered() {
    OpenWebSite(dialogs_);
}

void MainWindow::onExitClicked() {
    close();
}

void MainWindow::onOptionsTriggered() {
    if (presenter_->Busy()) {
        return;
    }
    Config* config = nullptr;
    try {
        config = &configuration_.GetConfig();
    } catch (const HollowsweepError& error) {
        dialogs_.ShowMessage(
            this, tr("The configuration could not be read: ") + DisplayText(error.what()),
            tr("Options"), MessageIcon::Warning);
        return;
    }
    OptionsDialog options(*config, dialogs_, this);
    options.exec();
}

void MainWindow::onAboutTriggered() {
    AboutDialog about(dialogs_, this);
    about.exec();
}

} // namespace hollowsweep::app

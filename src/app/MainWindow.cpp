#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "app/BackgroundWork.h"
#include "app/DesktopLinks.h"
#include "app/DesktopTrash.h"
#include "app/ExceptionGuard.h"
#include "app/ExportPrompts.h"
#include "app/FilterBox.h"
#include "app/FlowLayout.h"
#include "app/OptionsDialog.h"
#include "app/PathText.h"
#include "app/ResultListController.h"
#include "app/ResultView.h"
#include "app/UserDialogs.h"
#include "app/UserPrompts.h"
#include "app/WaitWindow.h"
#include "app/WindowLook.h"
#include "app/WindowPlacement.h"
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
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace hollowsweep::app {

namespace {

// The size the window opens at, below its menu bar.
constexpr int ClientWidth = 980;
constexpr int ClientHeight = 401;
constexpr int StatusBarHeight = 19;
// The least the window takes: it fits a 1024 x 600 screen at scale 1.5, and
// its buttons then take two rows.
constexpr int LeastWidth = 600;
constexpr int LeastListHeight = 100;
// The frame round the window before the window manager has told its size: a
// title bar and a border, taken generously so that the frame fits the screen.
constexpr QMargins FrameAllowance(4, 30, 4, 4);

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
    BuildKeys();
    NameWidgets();
    LayOut();
    prompts_ = std::make_unique<QtUserPrompts>(dialogs_, this);
    work_ = std::make_unique<QtBackgroundWork>(wait_);
    exportPrompts_ = std::make_unique<QtExportPrompts>(dialogs_, wait_, this);
    IMainView& view = *this;
    presenter_ = std::make_unique<MainPresenter>(List(), configuration_, view, *prompts_, *work_,
                                                 *exportPrompts_, MoveToDesktopTrash);
    presenter_->SetGroupSeparator(QLocale().groupSeparator().toStdString());
    setWindowIcon(QIcon(":/icons/hollowsweep.svg"));
    setTabOrder(helpButton, checkAllButton);
    setTabOrder(checkAllButton, uncheckAllButton);
    setTabOrder(uncheckAllButton, deleteButton);
    setTabOrder(deleteButton, openButton);
    setTabOrder(openButton, exitButton);
    setTabOrder(exitButton, filterBox);
    setTabOrder(filterBox, resultView);
}

MainWindow::~MainWindow() = default;

// A button is as wide as it was designed, or wider when its caption needs it,
// as a longer translation does.
QPushButton* MainWindow::AddButton(const QString& caption, const QString& icon, int designedWidth,
                                   bool bold, void (MainWindow::*handler)()) {
    auto* button = new QPushButton(QIcon(":/icons/" + icon + ".svg"), caption, buttonBar);
    button->setIconSize(QSize(48, 48));
    QFont font = button->font();
    font.setBold(bold);
    button->setFont(font);
    button->setMinimumSize(designedWidth, 54);
    buttonBar->layout()->addWidget(button);
    connect(button, &QPushButton::clicked, this,
            [this, handler] { Guarded([&] { (this->*handler)(); }); });
    return button;
}

void MainWindow::NameWidgets() {
    const std::pair<QObject*, const char*> named[] = {
        {centralPanel, "centralPanel"},
        {buttonBar, "buttonBar"},
        {listFrame, "listFrame"},
        {resultView, "resultView"},
        {filterBox, "filterBox"},
        {openButton, "openButton"},
        {checkAllButton, "checkAllButton"},
        {uncheckAllButton, "uncheckAllButton"},
        {deleteButton, "deleteButton"},
        {helpButton, "helpButton"},
        {exitButton, "exitButton"},
        {statusText, "statusText"},
        {statusCount, "statusCount"},
        {statusKept, "statusKept"},
        {optionsAction, "optionsAction"},
        {aboutAction, "aboutAction"},
        {helpAction, "helpAction"},
        {listMenu, "listMenu"},
        {checkSubtreeAction, "checkSubtreeAction"},
        {uncheckSubtreeAction, "uncheckSubtreeAction"},
    };
    for (const auto& [object, name] : named) {
        object->setObjectName(name);
    }
}

void MainWindow::BuildButtonBar() {
    buttonBar = new QWidget(centralPanel);
    // Neighbouring buttons share an edge.
    auto* layout = new FlowLayout(buttonBar, -1, 4);
    layout->setContentsMargins(9, 9, 9, 5);
    openButton =
        AddButton(tr("&Open Folder"), "open-folder", 132, true, &MainWindow::onOpenClicked);
    checkAllButton =
        AddButton(tr("&Check All"), "check-all", 132, false, &MainWindow::onCheckAllClicked);
    uncheckAllButton =
        AddButton(tr("&Uncheck All"), "uncheck-all", 132, false, &MainWindow::onUncheckAllClicked);
    deleteButton = AddButton(tr("&Delete Checked From Disk"), "delete-checked", 215, true,
                             &MainWindow::onDeleteClicked);
    helpButton = AddButton(tr("&Help"), "help", 132, false, &MainWindow::onHelpClicked);
    exitButton = AddButton(tr("E&xit"), "exit", 132, false, &MainWindow::onExitClicked);
}

void MainWindow::BuildList() {
    listFrame = new QFrame(centralPanel);
    listFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    listFrame->setLineWidth(2);
    model_ = new ResultListModel(this);
    // The filter box on top of the list, the list below it.
    filterBox = new FilterBox(model_->List(), this, listFrame);
    resultView = new ResultView(listFrame);
    resultView->setFrameShape(QFrame::NoFrame);
    resultView->setMinimumHeight(LeastListHeight);
    auto* frameLayout = new QVBoxLayout(listFrame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->setSpacing(0);
    frameLayout->addWidget(filterBox);
    frameLayout->addWidget(resultView);
    resultView->setModel(model_);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { ShowCounts(); });
    connect(model_, &QAbstractItemModel::dataChanged, this, [this] { ShowCounts(); });
    resultView->setSelectionBehavior(QAbstractItemView::SelectRows);
    resultView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    resultView->setMouseTracking(true);
    resultView->setSortingEnabled(false);
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

    listMenu = new QMenu(this);
    auto* style = new LargeMenuIconStyle;
    style->setParent(listMenu);
    listMenu->setStyle(style);
    for (const ExportFormat& format : ExportFormats()) {
        if (format.MenuCaption == nullptr) {
            continue;
        }
        QAction* action =
            listMenu->addAction(QIcon(":/icons/" + QString::fromUtf8(format.Icon) + ".svg"),
                                QString::fromUtf8(Tr(format.MenuCaption)));
        connect(action, &QAction::triggered, this, [this, &format] {
            Guarded([&] {
                if (controller_) {
                    presenter_->Export(format);
                }
            });
        });
    }
    listMenu->addSeparator();
    checkSubtreeAction =
        listMenu->addAction(QIcon(":/icons/check-all.svg"), tr("Check Folder And Subfolders"));
    uncheckSubtreeAction =
        listMenu->addAction(QIcon(":/icons/uncheck-all.svg"), tr("Uncheck Folder And Subfolders"));
    connect(checkSubtreeAction, &QAction::triggered, this,
            [this] { Guarded([&] { onSubtreeTriggered(true); }); });
    connect(uncheckSubtreeAction, &QAction::triggered, this,
            [this] { Guarded([&] { onSubtreeTriggered(false); }); });
    connect(resultView, &ResultView::MenuRequested, this, &MainWindow::PopUpListMenu);
}

// The folder entries act on the row the menu was opened for; below the rows
// there is none.
void MainWindow::PopUpListMenu(const QPoint& globalPosition, const QModelIndex& row) {
    menuRow_ = row;
    checkSubtreeAction->setEnabled(row.isValid());
    uncheckSubtreeAction->setEnabled(row.isValid());
    listMenu->popup(globalPosition);
}

// Keys for what otherwise takes the mouse: F10 goes to the menu bar, Shift+F10
// opens the list's menu by the current row, and Delete on the list is the
// delete button, with its question.
void MainWindow::BuildKeys() {
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        menuBar()->setFocus(Qt::MenuBarFocusReason);
        menuBar()->setActiveAction(optionsAction);
    });
    auto* popupKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), resultView, nullptr,
                                   nullptr, Qt::WidgetShortcut);
    connect(popupKey, &QShortcut::activated, resultView, &ResultView::RequestMenuAtCurrentRow);
    auto* deleteKey =
        new QShortcut(QKeySequence::Delete, resultView, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this,
            [this] { Guarded([&] { onDeleteClicked(); }); });
}

// The buttons above the list, the list below them taking what is left. The
// window opens at its designed size; it can be made as small as a small
// screen needs, the buttons then flowing into a second row.
void MainWindow::LayOut() {
    auto* layout = new QVBoxLayout(centralPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buttonBar);
    layout->addWidget(listFrame, 1);
    const int menuHeight = menuBar()->sizeHint().height();
    const int leastWidth = std::max(LeastWidth, buttonBar->layout()->minimumSize().width());
    setMinimumSize(leastWidth, menuHeight + buttonBar->layout()->heightForWidth(leastWidth) +
                                   listFrame->minimumSizeHint().height() + statusBar()->height());
    resize(ClientWidth, menuHeight + ClientHeight);
}

void MainWindow::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    // The panels keep their designed widths while the window is wide enough
    // and give way when it is not; a panel's hint holds its whole text.
    const std::pair<QLabel**, int> panels[] = {
        {&statusText, 700}, {&statusCount, 120}, {&statusKept, 200}};
    for (const auto& [panel, width] : panels) {
        *panel = new QLabel(bar);
        (*panel)->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        (*panel)->setMinimumWidth(width / 4);
        (*panel)->setMaximumWidth(width);
        (*panel)->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        bar->addWidget(*panel, width);
    }
    bar->setFixedHeight(std::max(StatusBarHeight, statusText->sizeHint().height() + 2));
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

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        Guarded([&] { onFirstShow(); });
    }
}

void MainWindow::onFirstShow() {
    setWindowTitle(Caption());
    controller_ =
        std::make_unique<ResultListController>(resultView, *model_, configuration_, dialogs_);
    controller_->SetupColumns(resultView);
    setAcceptDrops(true);
}

void MainWindow::setVisible(bool visible) {
    if (visible && !placed_) {
        placed_ = true;
        // The configuration is first read here, so a broken one is offered
        // to be replaced before anything is taken from it.
        Guarded([&] { presenter_->OfferDefaultConfig(); });
        PlaceWindow();
    }
    QMainWindow::setVisible(visible);
}

// Placed before the window exists, its position is taken for its frame's, as
// it was stored: placed later, the window manager would take it for the
// client area's, and the window would creep by its title bar at each start.
// Until the window stored its own place, or when the stored size is smaller
// than the window can be, it opens at its designed size, centred. Either way
// it is kept on a screen.
void MainWindow::PlaceWindow() {
    std::optional<WindowFrame> stored;
    // A place that cannot be read leaves the window at its designed size.
    Guarded([&] { stored = ReadWindowFrame(*configuration_.GetConfig().Root()); });
    if (stored && (*stored == UnstoredWindowFrame || stored->Width < minimumWidth() ||
                   stored->Height < minimumHeight())) {
        stored.reset();
    }
    const QSize client = stored ? QSize(stored->Width, stored->Height) : size();
    QRect frame(QPoint(), client.grownBy(FrameAllowance));
    if (stored) {
        frame.moveTopLeft(QPoint(stored->Left, stored->Top));
    } else {
        frame.moveCenter(screen()->availableGeometry().center());
    }
    QList<QRect> screens;
    for (const QScreen* shown : QGuiApplication::screens()) {
        screens.push_back(shown->availableGeometry());
    }
    const QRect placed = PlaceOnScreens(frame, screens);
    resize(placed.size().shrunkBy(FrameAllowance).expandedTo(minimumSize()));
    move(placed.topLeft());
    if (stored && stored->Maximized) {
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
    OpenWebSite(dialogs_, this);
}

void MainWindow::onHelpTriggered() {
    OpenWebSite(dialogs_, this);
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

void MainWindow::onSubtreeTriggered(bool checked) {
    if (!menuRow_.isValid()) {
        return;
    }
    const std::size_t entry = model_->EntryOf(menuRow_.row());
    if (checked) {
        presenter_->CheckSubtree(entry);
    } else {
        presenter_->UncheckSubtree(entry);
    }
}

void MainWindow::onAboutTriggered() {
    AboutDialog about(dialogs_, this);
    about.exec();
}

} // namespace hollowsweep::app

#include "QuillfenCtrl.h"

#include "ExceptionGuard.h"
#include "config/Config.h"
#include "export/ExportColumns.h"
#include "export/ExportCommand.h"
#include "uConfigEx.h"
#include "uFunction.h"
#include "uMain.h"

#include <QDateTime>
#include <QFile>
#include <QHeaderView>
#include <QLocale>
#include <QMouseEvent>
#include <QToolTip>
#include <QTreeView>

namespace hollowsweep::app {

namespace {

IXMLNodeType Node(int position) {
    return GetConfig().Root()->GetNodes()->Item(position);
}

int NodeCount() {
    return GetConfig().Root()->GetNodes()->Count();
}

QColor ColumnBackground(bool readOnly) {
    return readOnly ? QColor(239, 243, 255) : QToolTip::palette().color(QPalette::ToolTipBase);
}

Qt::Alignment ColumnAlignment(const std::string& align) {
    if (align == "right") {
        return Qt::AlignRight;
    }
    if (align == "center") {
        return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

TLocaleReaders UserLocaleReaders() {
    const QLocale locale;
    TLocaleReaders readers;
    readers.Numbers.GroupSeparator = locale.groupSeparator().toStdString();
    readers.Numbers.DecimalSeparator = locale.decimalPoint().toStdString();
    readers.ReadDateTime = [locale](std::string_view text) -> std::optional<double> {
        const QDateTime time = locale.toDateTime(DisplayText(text), QLocale::ShortFormat);
        if (!time.isValid()) {
            return std::nullopt;
        }
        return static_cast<double>(time.toMSecsSinceEpoch()) / 86400000.0;
    };
    return readers;
}

// The folder to open for an entry: the entry's own path, or for a file the
// folder that holds it.
std::string FolderToOpen(const TResultRecord& record) {
    const std::string path(record.Field(FullPath));
    if (record.Field(FileType) != "file") {
        return path;
    }
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

TQuillfenCtrl::TQuillfenCtrl(TFMMain* mainForm)
    : MainForm(mainForm)
    , ResultList(mainForm->VT)
    , readers_(UserLocaleReaders()) {
    QHeaderView* header = ResultList->header();
    connect(header, &QHeaderView::sectionClicked, this,
            [this](int column) { Guarded([&] { VTHeaderClick(column, Qt::LeftButton); }); });
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (size > 0 && column < static_cast<int>(widths_.size())) {
            widths_[static_cast<std::size_t>(column)] = size;
        }
    });
    connect(ResultList, &QTreeView::doubleClicked, this,
            [this] { Guarded([&] { VTDblClick(ResultList); }); });
    header->viewport()->installEventFilter(this);
    Model().SetCellTextSource(this);
}

TQuillfenCtrl::~TQuillfenCtrl() {
    Model().SetCellTextSource(nullptr);
}

TResultListModel& TQuillfenCtrl::Model() const {
    return *MainForm->Model;
}

bool TQuillfenCtrl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && watched == ResultList->header()->viewport()) {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        if (button != Qt::LeftButton) {
            Guarded([&] { VTHeaderMouseDown(button); });
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TQuillfenCtrl::SetupColumns(QTreeView* list) {
    QHeaderView* header = list->header();
    Model().SetColumns({});
    sortColumn_.reset();
    header->setSortIndicatorShown(false);
    std::vector<TColumnLook> looks;
    widths_.clear();
    const auto makeColumns = [&] {
        Model().SetColumns(std::move(looks));
        for (std::size_t n = 0; n < widths_.size(); ++n) {
            header->resizeSection(static_cast<int>(n), widths_[n]);
        }
    };
    // A column is made as far as its entry could be read, and the ones before it.
    try {
        const int count = NodeCount();
        for (int n = 0; n < count; ++n) {
            const IXMLNodeType node = Node(n);
            looks.push_back({DisplayText(node->GetName()), QColor(), Qt::AlignLeft});
            widths_.push_back(header->defaultSectionSize());
            widths_.back() = node->GetWidth();
            looks.back().Background = ColumnBackground(node->GetReadOnly());
            looks.back().Alignment = ColumnAlignment(node->GetAlign());
        }
    } catch (...) {
        makeColumns();
        throw;
    }
    makeColumns();
    const int count = std::min(NodeCount(), header->count());
    for (int n = 0; n < count; ++n) {
        const IXMLNodeType node = Node(n);
        const int position = std::clamp(node->GetIndex(), 0, header->count() - 1);
        header->moveSection(header->visualIndex(n), position);
        header->setSectionHidden(n, !node->GetVisible());
    }
}

void TQuillfenCtrl::SaveColumns() {
    const QHeaderView* header = ResultList->header();
    for (int n = 0; n < header->count(); ++n) {
        const IXMLNodeType node = Node(n);
        const int width = n < static_cast<int>(widths_.size())
                              ? widths_[static_cast<std::size_t>(n)]
                              : header->sectionSize(n);
        node->SetWidth(width);
        node->SetVisible(!header->isSectionHidden(n));
        node->SetIndex(header->visualIndex(n));
    }
    GetConfig().Save();
}

std::string TQuillfenCtrl::GetFieldText(TFieldIndex index, const TResultRecord* record) const {
    return hollowsweep::GetFieldText(index, record, readers_.Numbers);
}

QString TQuillfenCtrl::CellText(const TResultRecord& record, int column) const {
    const TFieldIndex index = FieldIndexOf(Node(column)->GetName());
    return DisplayText(GetFieldText(index, &record));
}

QString TQuillfenCtrl::Hint() const {
    return "Double click to open it in explorer.";
}

void TQuillfenCtrl::VTHeaderClick(int column, Qt::MouseButton button) {
    if (button != Qt::LeftButton) {
        return;
    }
    direction_ = !sortColumn_ || direction_ == TSortDirection::Descending
                     ? TSortDirection::Ascending
                     : TSortDirection::Descending;
    sortColumn_ = column;
    QHeaderView* header = ResultList->header();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, direction_ == TSortDirection::Ascending ? Qt::AscendingOrder
                                                                             : Qt::DescendingOrder);
    SortField = FieldIndexOf(Node(column)->GetName());
    MainForm->List.Sort(
        [this](const TResultEntry& a, const TResultEntry& b) {
            return VTCompareNodes(a.Record, b.Record);
        },
        direction_);
}

int TQuillfenCtrl::VTCompareNodes(const TResultRecord& a, const TResultRecord& b) const {
    return CompareEntries(a, b, SortField, direction_, readers_);
}

void TQuillfenCtrl::VTDblClick(QObject* sender) {
    if (sender == ResultList) {
        OpenEntryFolder(ResultList);
    }
}

void TQuillfenCtrl::OpenEntryFolder(QTreeView* list) {
    const QModelIndex focused = list->currentIndex();
    if (!focused.isValid()) {
        return;
    }
    const std::string folder =
        FolderToOpen(MainForm->List.At(static_cast<std::size_t>(focused.row())).Record);
    if (!folder.empty()) {
        MainForm->Dialogs.OpenUrl(QUrl::fromLocalFile(QFile::decodeName(folder.c_str())));
    }
}

void TQuillfenCtrl::VTHeaderMouseDown(Qt::MouseButton button) {
    if (button == Qt::RightButton) {
        ShowColumnConfig();
    }
}

void TQuillfenCtrl::ShowColumnConfig() {
    TFMConfig dialog(nullptr);
    if (dialog.exec() == QDialog::Accepted) {
        ApplyVisibility();
    }
}

void TQuillfenCtrl::ApplyVisibility() {
    QHeaderView* header = ResultList->header();
    const int count = NodeCount();
    for (int n = 0; n < count && n < header->count(); ++n) {
        header->setSectionHidden(n, !Node(n)->GetVisible());
    }
}

std::vector<std::string> TQuillfenCtrl::GetExportColumns() const {
    return hollowsweep::GetExportColumns(*GetConfig().Root());
}

void TQuillfenCtrl::Export(TExportFormat format) {
    TExportUI ui(MainForm->Dialogs, MainForm);
    RunExport(format, MainForm->List, *GetConfig().Root(), MainForm->XMLDoc, ui);
}

void TQuillfenCtrl::ExportToHTML(QTreeView*) {
    Export(TExportFormat::HTML);
}

void TQuillfenCtrl::ExportToText(QTreeView*) {
    Export(TExportFormat::Text);
}

void TQuillfenCtrl::ExportToExcel(QTreeView*) {
    Export(TExportFormat::Excel);
}

void TQuillfenCtrl::ExportToCSV(QTreeView*) {
    Export(TExportFormat::CSV);
}

void TQuillfenCtrl::ExportToXML(QTreeView*) {
    Export(TExportFormat::XML);
}

} // namespace hollowsweep::app

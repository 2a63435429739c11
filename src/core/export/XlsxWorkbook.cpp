// The workbook on libxlsxwriter in its constant-memory mode: the calls are
// recorded, and SaveAs streams the rows to the file one at a time. Sizes are
// worked out from the texts as they pass, since the library cannot measure.

#include "core/errors/Errors.h"
#include "core/export/Workbook.h"
#include "core/platform/SilencedStandardError.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <unistd.h>
#include <utility>
#include <xlsxwriter.h>

namespace hollowsweep {

namespace {

// Excel's own limits on a column's width and a cell's text.
constexpr double MaxColumnWidth = 255;
constexpr std::size_t MaxCellText = 32767;

struct Range {
    lxw_row_t FirstRow;
    lxw_col_t FirstColumn;
    lxw_row_t LastRow;
    lxw_col_t LastColumn;
};

Range ParseRange(std::string_view address) {
    const std::string text(address);
    return {lxw_name_to_row(text.c_str()), lxw_name_to_col(text.c_str()),
            lxw_name_to_row_2(text.c_str()), lxw_name_to_col_2(text.c_str())};
}

// Characters as a reader counts them: UTF-8 continuation bytes add nothing.
std::size_t LongestLineLength(std::string_view text) {
    std::size_t longest = 0;
    std::size_t current = 0;
    for (const char c : text) {
        if (c == '\n') {
            current = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            longest = std::max(longest, ++current);
        }
    }
    return longest;
}

std::size_t CharacterCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

bool IsHexDigit(char c) noexcept {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether text holds "_xHHHH_" at position: what a reader takes for an
// escaped character.
bool EscapeAt(std::string_view text, std::size_t position) noexcept {
    return text.size() - position >= 7 && text[position] == '_' && text[position + 1] == 'x' &&
           IsHexDigit(text[position + 2]) && IsHexDigit(text[position + 3]) &&
           IsHexDigit(text[position + 4]) && IsHexDigit(text[position + 5]) &&
           text[position + 6] == '_';
}

// A text as the file must carry it to read back the same: the underscore that
// starts a literal "_xHHHH_" is itself escaped, as "_x005F_".
std::string CellText(std::string_view text) {
    if (text.find("_x") == std::string_view::npos) {
        return std::string(text);
    }
    std::string escaped;
    escaped.reserve(text.size() + 7);
    for (std::size_t position = 0; position < text.size(); ++position) {
        if (EscapeAt(text, position)) {
            escaped += "_x005F";
        }
        escaped += text[position];
    }
    return escaped;
}

std::size_t LineCount(std::string_view text) {
    return 1 + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The system's reason for a failed library call, read before anything else
// can change it.
int LastSystemError() noexcept {
    return errno != 0 ? errno : EIO;
}

// Closing writes the file, so it also runs when filling stopped on an error.
class OpenWorkbook {
public:
    explicit OpenWorkbook(const std::string& path)
        : path_(path) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.use_zip64 = LXW_TRUE;
        // The library writes its own "[ERROR] ..." lines where it fails; the
        // program tells the same failure in one line of its own. Exports run
        // alone, so nothing else writes there meanwhile.
        const SilencedStandardError quiet;
        errno = 0;
        workbook_ = workbook_new_opt(path.c_str(), &options);
        if (workbook_ == nullptr) {
            throw IOError(path, LastSystemError(), "cannot create");
        }
    }
    OpenWorkbook(const OpenWorkbook&) = delete;
    OpenWorkbook& operator=(const OpenWorkbook&) = delete;
    ~OpenWorkbook() {
        if (workbook_ != nullptr) {
            const SilencedStandardError quiet;
            workbook_close(workbook_);
        }
    }

    lxw_workbook* Get() const noexcept { return workbook_; }

    void Close() {
        int code = 0;
        lxw_error error = LXW_NO_ERROR;
        {
            const SilencedStandardError quiet;
            errno = 0;
            error = workbook_close(std::exchange(workbook_, nullptr));
            code = LastSystemError();
        }
        if (error != LXW_NO_ERROR) {
            throw IOError(path_, code, "cannot write the workbook");
        }
    }

private:
    std::string path_;
    lxw_workbook* workbook_;
};

class XlsxWorkbook final : public IWorkbook {
public:
    void SetTitleCell(std::string_view title) override { title_ = title; }
    void Merge(std::string_view range) override { merge_ = ParseRange(range); }
    void SetBlock(std::string_view range, RowSource source) override {
        block_ = ParseRange(range);
        source_ = std::move(source);
    }
    void SetBorders(std::string_view /*range*/) override { borders_ = true; }
    void AutoFitColumns(std::string_view /*range*/) override { fitColumns_ = true; }
    void AutoFitRows(std::string_view /*range*/) override { fitRows_ = true; }
    void SaveAs(const std::string& path) override;
    void Close() override {}

private:
    void WriteTitle(lxw_workbook* workbook, lxw_worksheet* sheet) const;
    void WriteBlock(lxw_workbook* workbook, lxw_worksheet* sheet) const;

    std::string title_;
    std::optional<Range> merge_;
    std::optional<Range> block_;
    RowSource source_;
    bool borders_ = false;
    bool fitColumns_ = false;
    bool fitRows_ = false;
};

void XlsxWorkbook::SaveAs(const std::string& path) {
    OpenWorkbook workbook(path);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook.Get(), nullptr);
    WriteTitle(workbook.Get(), sheet);
    WriteBlock(workbook.Get(), sheet);
    workbook.Close();
}

void XlsxWorkbook::WriteTitle(lxw_workbook* workbook, lxw_worksheet* sheet) const {
    lxw_format* format = workbook_add_format(workbook);
    format_set_bold(format);
    format_set_align(format, LXW_ALIGN_CENTER);
    format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
    // The library refuses to merge one cell with itself; Excel does nothing for it.
    if (merge_ &&
        (merge_->LastRow > merge_->FirstRow || merge_->LastColumn > merge_->FirstColumn)) {
        worksheet_merge_range(sheet, merge_->FirstRow, merge_->FirstColumn, merge_->LastRow,
                              merge_->LastColumn, CellText(title_).c_str(), format);
    } else {
        worksheet_write_string(sheet, 0, 0, CellText(title_).c_str(), format);
    }
}

void XlsxWorkbook::WriteBlock(lxw_workbook* workbook, lxw_worksheet* sheet) const {
    if (!block_ || !source_) {
        return;
    }
    lxw_format* format = nullptr;
    if (borders_) {
        format = workbook_add_format(workbook);
        format_set_border(format, LXW_BORDER_THIN);
    }
    std::vector<std::size_t> widths(block_->LastColumn - block_->FirstColumn + 1U, 0);
    lxw_row_t row = block_->FirstRow;
    source_([&](const std::vector<std::string>& texts) {
        std::size_t lines = 1;
        for (std::size_t column = 0; column < texts.size() && column < widths.size(); ++column) {
            const std::string& text = texts[column];
            if (text.size() > MaxCellText && CharacterCount(text) > MaxCellText) {
                throw ConversionError("row " + std::to_string(row + 1) +
                                      ": a text longer than 32,767 characters does not fit a "
                                      "workbook cell");
            }
            widths[column] = std::max(widths[column], LongestLineLength(text));
            lines = std::max(lines, LineCount(text));
        }
        if (fitRows_ && lines > 1) {
            worksheet_set_row(sheet, row, LXW_DEF_ROW_HEIGHT * static_cast<double>(lines), nullptr);
        }
        for (std::size_t column = 0; column < widths.size(); ++column) {
            const auto sheetColumn = static_cast<lxw_col_t>(block_->FirstColumn + column);
            const std::string text = column < texts.size() ? CellText(texts[column]) : "";
            worksheet_write_string(sheet, row, sheetColumn, text.c_str(), format);
        }
        ++row;
    });
    if (fitColumns_) {
        for (std::size_t column = 0; column < widths.size(); ++column) {
            const auto sheetColumn = static_cast<lxw_col_t>(block_->FirstColumn + column);
            const double width =
                std::min(MaxColumnWidth, static_cast<double>(widths[column]) + 1.0);
            worksheet_set_column(sheet, sheetColumn, sheetColumn, width, nullptr);
        }
    }
}

} // namespace

std::unique_ptr<IWorkbook> CreateWorkbook() {
    return std::make_unique<XlsxWorkbook>();
}

} // namespace hollowsweep

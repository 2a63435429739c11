#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep {

// Rows of texts handed over one at a time, so that a large sheet is never held
// in memory as a whole.
using RowSink = std::function<void(const std::vector<std::string>&)>;
using RowSource = std::function<void(const RowSink&)>;

// The calls an export makes on a new workbook's first sheet, in the order it
// makes them. Ranges are addresses such as "A2:C10".
class IWorkbook {
public:
    virtual ~IWorkbook() = default;

    // Cell A1: the title, centred both ways, bold.
    virtual void SetTitleCell(std::string_view title) = 0;
    virtual void Merge(std::string_view range) = 0;
    // The range's texts, every cell a text, row by row from source.
    virtual void SetBlock(std::string_view range, RowSource source) = 0;
    // Continuous thin lines on every cell of the range.
    virtual void SetBorders(std::string_view range) = 0;
    // Sizes the range's columns and rows to their content.
    virtual void AutoFitColumns(std::string_view range) = 0;
    virtual void AutoFitRows(std::string_view range) = 0;
    // Writes the workbook; failures raise IOError naming the path.
    virtual void SaveAs(const std::string& path) = 0;
    virtual void Close() = 0;
};

// An Office Open XML workbook; it streams rows to the file when saved.
std::unique_ptr<IWorkbook> CreateWorkbook();

} // namespace hollowsweep

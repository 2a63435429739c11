#pragma once

#include "core/config/XMLDocument.h"
#include "core/export/Workbook.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep {

// The last row a sheet may use.
inline constexpr std::size_t WorkbookRowLimit = 1048576;

// Column letters for a column number given as text: "1" is "A", "27" is "AA",
// "702" is "ZZ". Text that is not a positive number comes back unchanged.
std::string ExcelColumnName(std::string_view text);
// Whether the text converts to a floating-point number.
bool IsNumeric(std::string_view text);

// The nodes below an element, at any depth.
std::size_t CountXMLNodes(const XMLNode& element);

// Hands one row per element below element, in document order: the serial
// number, then the value of each named attribute ("" where the element has
// none).
void FillExcelRows(const XMLNode& element, const std::vector<std::string>& attributeNames,
                   std::size_t& serial, const RowSink& sink);

// The calls that put the result document on a workbook's sheet: the title
// merged over row 1, then the header row ("SerialNO" and the column names) and
// one row per element as one block with borders, sized to fit. rowCount is the
// block's height, header included. The rows are read from root when the
// workbook is saved, so root and columns must live until then.
void FillWorkbook(IWorkbook& workbook, const XMLNode& root, const std::vector<std::string>& columns,
                  std::string_view title, std::size_t rowCount);

} // namespace hollowsweep

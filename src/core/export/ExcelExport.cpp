#include "core/export/ExcelExport.h"

#include "core/export/ResultDocument.h"
#include "core/results/FieldCatalog.h"

#include <cstdlib>

namespace hollowsweep {

namespace {

std::string RangeAddress(std::size_t firstColumn, std::size_t firstRow, std::size_t lastColumn,
                         std::size_t lastRow) {
    return ExcelColumnName(std::to_string(firstColumn)) + std::to_string(firstRow) + ":" +
           ExcelColumnName(std::to_string(lastColumn)) + std::to_string(lastRow);
}

} // namespace

std::string ExcelColumnName(std::string_view text) {
    if (!IsNumeric(text)) {
        return std::string(text);
    }
    const long n = std::strtol(std::string(text).c_str(), nullptr, 10);
    if (n <= 0) {
        return std::string(text);
    }
    const auto letter = [](long code) {
        return static_cast<char>(code);
    };
    if (n <= 26) {
        return {letter(64 + n)};
    }
    if (n % 26 != 0) {
        return {letter(64 + n / 26), letter(64 + n % 26)};
    }
    return {letter(63 + n / 26), 'Z'};
}

bool IsNumeric(std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    std::strtod(copy.c_str(), &end);
    return !copy.empty() && end == copy.c_str() + copy.size();
}

std::size_t CountXMLNodes(const XMLNode& element) {
    std::size_t count = 0;
    for (XMLNodePtr child = element.FirstChild(); child; child = child->NextSibling()) {
        ++count;
        if (child->HasChildNodes()) {
            count += CountXMLNodes(*child);
        }
    }
    return count;
}

void FillExcelRows(const XMLNode& element, const std::vector<std::string>& attributeNames,
                   std::size_t& serial, const RowSink& sink) {
    std::vector<std::string> row(attributeNames.size() + 1);
    for (XMLNodePtr child = element.FirstChild(); child; child = child->NextSibling()) {
        row[0] = std::to_string(++serial);
        for (std::size_t column = 0; column < attributeNames.size(); ++column) {
            const std::string& name = attributeNames[column];
            row[column + 1] = child->HasAttribute(name) ? child->Attribute(name) : std::string();
        }
        sink(row);
        if (child->HasChildNodes()) {
            FillExcelRows(*child, attributeNames, serial, sink);
        }
    }
}

void FillWorkbook(IWorkbook& workbook, const XMLNode& root, const std::vector<std::string>& columns,
                  std::string_view title, std::size_t rowCount) {
    const std::size_t columnCount = columns.size() + 1;
    workbook.SetTitleCell(title);
    workbook.Merge(RangeAddress(1, 1, columnCount, 1));

    const std::string dataRange = RangeAddress(1, 2, columnCount, rowCount + 1);
    workbook.SetBlock(dataRange, [&root, &columns](const RowSink& sink) {
        std::vector<std::string> header{"SerialNO"};
        header.insert(header.end(), columns.begin(), columns.end());
        sink(header);
        // Each column takes its field's attribute, as the other exports take the
        // field: a name outside the catalogue means the folder's name.
        std::vector<std::string> attributeNames;
        attributeNames.reserve(columns.size());
        for (const auto& column : columns) {
            attributeNames.emplace_back(AttributeNameOf(FieldIndexOf(column)));
        }
        std::size_t serial = 0;
        FillExcelRows(root, attributeNames, serial, sink);
    });
    workbook.SetBorders(dataRange);
    workbook.AutoFitColumns(dataRange);
    workbook.AutoFitRows(dataRange);
}

} // namespace hollowsweep

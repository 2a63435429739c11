// Workbooks written by the real library, unzipped and read back.

#include "ResultLists.h"
#include "RunProgram.h"
#include "ScriptedExportUI.h"
#include "TestDir.h"
#include "core/config/DefaultConfig.h"
#include "core/export/ExcelExport.h"
#include "core/export/ExportCommand.h"
#include "core/export/ExportFormats.h"
#include "core/export/ResultDocument.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <pugixml.hpp>

using namespace hollowsweep;
using hollowsweep::test::ListOf;
using hollowsweep::test::RunProgram;
using hollowsweep::test::ScriptedExportUI;
using hollowsweep::test::TestDir;

namespace {

struct Cell {
    // As a spreadsheet program reads it: "_xHHHH_" is the character HHHH.
    std::string Text;
    int Style = 0;
};

std::string AsSpreadsheetReads(std::string_view stored) {
    std::string text;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored.size() - i >= 7 && stored.substr(i, 2) == "_x" && stored[i + 6] == '_' &&
            std::all_of(stored.begin() + static_cast<std::ptrdiff_t>(i) + 2,
                        stored.begin() + static_cast<std::ptrdiff_t>(i) + 6,
                        [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
            const auto code = std::stoul(std::string(stored.substr(i + 2, 4)), nullptr, 16);
            if (code < 0x80) {
                text += static_cast<char>(code);
                i += 6;
                continue;
            }
        }
        text += stored[i];
    }
    return text;
}

// The first sheet and the style table of a saved workbook.
class SavedWorkbook {
public:
    explicit SavedWorkbook(const std::string& path) {
        Load(sheet_, path, "xl/worksheets/sheet1.xml");
        Load(styles_, path, "xl/styles.xml");
        for (const auto& row : sheet_.child("worksheet").child("sheetData").children("row")) {
            for (const auto& cell : row.children("c")) {
                cells_[cell.attribute("r").value()] = {
                    AsSpreadsheetReads(cell.child("is").child_value("t")),
                    cell.attribute("s").as_int()};
            }
        }
    }

    const std::map<std::string, Cell>& Cells() const { return cells_; }
    std::string Merged() const {
        return sheet_.child("worksheet")
            .child("mergeCells")
            .child("mergeCell")
            .attribute("ref")
            .value();
    }
    int ColumnCount() const {
        return static_cast<int>(
            std::distance(sheet_.child("worksheet").child("cols").children("col").begin(),
                          sheet_.child("worksheet").child("cols").children("col").end()));
    }
    pugi::xml_node Format(int style) const {
        return Nth(styles_.child("styleSheet").child("cellXfs"), "xf", style);
    }
    bool Bold(int style) const {
        return Nth(styles_.child("styleSheet").child("fonts"), "font",
                   Format(style).attribute("fontId").as_int())
            .child("b");
    }
    bool Bordered(int style) const {
        const pugi::xml_node border = Nth(styles_.child("styleSheet").child("borders"), "border",
                                          Format(style).attribute("borderId").as_int());
        constexpr const char* Sides[] = {"left", "right", "top", "bottom"};
        return std::all_of(std::begin(Sides), std::end(Sides), [&border](const char* side) {
            return std::string(border.child(side).attribute("style").value()) == "thin";
        });
    }

private:
    static void Load(pugi::xml_document& document, const std::string& path, const char* member) {
        const auto unzipped = RunProgram("/usr/bin/unzip", {"-p", path, member});
        ASSERT_EQ(unzipped.Status, 0) << unzipped.Err;
        ASSERT_TRUE(document.load_buffer(unzipped.Out.data(), unzipped.Out.size()));
    }
    static pugi::xml_node Nth(const pugi::xml_node& parent, const char* tag, int index) {
        pugi::xml_node node = parent.child(tag);
        for (int i = 0; i < index; ++i) {
            node = node.next_sibling(tag);
        }
        return node;
    }

    pugi::xml_document sheet_;
    pugi::xml_document styles_;
    std::map<std::string, Cell> cells_;
};

// Exports a list through the frame with the save dialog answering path.
void Export(const ResultList& list, const std::vector<std::string>& columns,
            const std::string& path) {
    XMLDocument document;
    ResetXMLDoc(document);
    BuildXMLDoc(document, list);
    FindExportFormat("xlsx")->Write(path, {list, columns, &document});
}

} // namespace

TEST(Workbook, DefaultColumnsGiveTitleHeaderSerialsAndPathsInABorderedBlock) {
    TestDir dir;
    const std::string path = dir.Path("empty.folders.xlsx");
    Export(ListOf({"/d/one", "/d/two", "/d/a&b<c"}), {"Folder Name", "Full Path"}, path);

    const SavedWorkbook book(path);
    EXPECT_EQ(book.Merged(), "A1:C1");
    const auto& cells = book.Cells();
    EXPECT_EQ(cells.at("A1").Text, "empty");
    EXPECT_TRUE(book.Bold(cells.at("A1").Style));
    EXPECT_STREQ(
        book.Format(cells.at("A1").Style).child("alignment").attribute("horizontal").value(),
        "center");
    EXPECT_STREQ(book.Format(cells.at("A1").Style).child("alignment").attribute("vertical").value(),
                 "center");

    const std::vector<std::vector<std::string>> expected = {
        {"SerialNO", "Folder Name", "Full Path"},
        {"1", "one", "/d/one"},
        {"2", "two", "/d/two"},
        {"3", "a&b<c", "/d/a&b<c"},
    };
    for (std::size_t row = 0; row < expected.size(); ++row) {
        for (std::size_t column = 0; column < 3; ++column) {
            const std::string name =
                std::string(1, static_cast<char>('A' + column)) + std::to_string(row + 2);
            ASSERT_TRUE(cells.contains(name)) << name;
            EXPECT_EQ(cells.at(name).Text, expected[row][column]) << name;
            EXPECT_TRUE(book.Bordered(cells.at(name).Style)) << name;
        }
    }
    EXPECT_FALSE(cells.contains("A6"));
    EXPECT_EQ(book.ColumnCount(), 3);
}

TEST(Workbook, TheTitleSpansEveryColumnAndNoColumnLeavesTheSerialsAlone) {
    TestDir dir;
    Export(ListOf({"/d/a"}), {"Full Path", "File Name", "File Size"}, dir.Path("four.xlsx"));
    EXPECT_EQ(SavedWorkbook(dir.Path("four.xlsx")).Merged(), "A1:D1");
    EXPECT_EQ(SavedWorkbook(dir.Path("four.xlsx")).Cells().at("C3").Text, "a");

    Export(ListOf({"/d/a", "/d/b"}), {}, dir.Path("none.xlsx"));
    const SavedWorkbook book(dir.Path("none.xlsx"));
    EXPECT_EQ(book.Merged(), "");
    std::vector<std::string> texts;
    for (const auto& [name, cell] : book.Cells()) {
        texts.push_back(name + "=" + cell.Text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"A1=none", "A2=SerialNO", "A3=1", "A4=2"}));
}

// A name holding what a reader takes for an escaped character reads back as
// itself, control characters the library escapes included.
TEST(Workbook, NamesReadBackExactlyWhateverEscapesTheyLookLike) {
    TestDir dir;
    const std::vector<std::string> names = {"lit_x000D_esc", "u_x005F_x", "_x0041__x0042_",
                                            "tab\tand_x00_short", "cr\rlf\n"};
    const std::string path = dir.Path("escapes_x0041_.xlsx");
    Export(ListOf({"/d/lit_x000D_esc", "/d/u_x005F_x", "/d/_x0041__x0042_", "/d/tab\tand_x00_short",
                   "/d/cr\rlf\n"}),
           {"Folder Name"}, path);
    const SavedWorkbook book(path);
    EXPECT_EQ(book.Cells().at("A1").Text, "escapes_x0041_");
    for (std::size_t row = 0; row < names.size(); ++row) {
        EXPECT_EQ(book.Cells().at("B" + std::to_string(row + 3)).Text, names[row]);
    }
}

// A sheet's rows hold the title and the header before the entries; a list
// that cannot fit is refused before anything is asked.
TEST(Workbook, TooManyRowsAreRefusedBeforeAnyDialog) {
    const ExportFormat& workbook = *FindExportFormat("xlsx");
    EXPECT_EQ(workbook.EntryLimit + 2, WorkbookRowLimit);
    ExportFormat small = workbook;
    small.EntryLimit = 2;
    const ConfigRootPtr config = ParseConfig(DefaultConfigText, "default configuration");
    for (const ResultList& list : {ListOf({"/d/a", "/d/b"}), ListOf({"/d/a", "/d/b", "/d/c"})}) {
        ScriptedExportUI ui;
        XMLDocument document;
        RunExport(small, list, *config, document, ui);
        const std::string asked = list.Count() == 2
                                      ? "save dialog .xlsx EXCEL File|*.xlsx"
                                      : "message Warning: The row count is out of excel range. "
                                        "(warning)";
        EXPECT_EQ(ui.Calls.back(), asked);
    }
}

TEST(Workbook, ColumnNamesFollowTheLetterRule) {
    const std::pair<const char*, const char*> cases[] = {
        {"1", "A"},    {"26", "Z"}, {"27", "AA"}, {"52", "AZ"}, {"53", "BA"},
        {"702", "ZZ"}, {"0", "0"},  {"-3", "-3"}, {"x", "x"},   {"", ""},
    };
    for (const auto& [number, name] : cases) {
        EXPECT_EQ(ExcelColumnName(number), name) << number;
    }
    EXPECT_TRUE(IsNumeric("2.5"));
    EXPECT_FALSE(IsNumeric("2x"));
}

TEST(Workbook, CountsEveryNodeBelowAnElement) {
    XMLDocument document;
    document.SetXML("<fileinfo><file><file/><file><file/></file></file><file/></fileinfo>");
    EXPECT_EQ(CountXMLNodes(*document.DocumentElement()), 5U);
}

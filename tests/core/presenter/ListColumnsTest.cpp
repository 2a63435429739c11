// The result list's columns, sorting and opened folders, as the window takes
// them, decided without a window.

#include "core/presenter/ListColumns.h"

#include "core/errors/Errors.h"

#include <gtest/gtest.h>

using namespace hollowsweep;

namespace {

ConfigRootPtr Config(const std::string& nodes) {
    return ParseConfig("<config><nodes>" + nodes + "</nodes></config>", "test configuration");
}

} // namespace

TEST(ListColumns, ColumnsComeFromTheNodesInTheirOrderAndGoBack) {
    const ConfigRootPtr root =
        Config("<node Name=\"Full Path\" Width=\"300\" Visible=\"True\" Index=\"1\" "
               "ReadOnly=\"True\" Align=\"right\"/>"
               "<node Name=\"Folder Name\" Width=\"90\" Visible=\"False\" Index=\"0\" "
               "ReadOnly=\"False\" Align=\"left\"/>");
    std::vector<ListColumn> columns;
    ReadListColumns(*root, columns);
    ASSERT_EQ(columns.size(), 2U);
    EXPECT_EQ(columns[0].Name, "Full Path");
    EXPECT_EQ(columns[0].Field, FieldIndexOf("Full Path"));
    EXPECT_EQ(columns[0].Width, 300);
    EXPECT_TRUE(columns[0].Visible && columns[0].ReadOnly);
    EXPECT_EQ(columns[0].Position, 1);
    EXPECT_EQ(columns[0].Align, ColumnAlign::Right);
    EXPECT_FALSE(columns[1].Visible);
    EXPECT_EQ(columns[1].Align, ColumnAlign::Left);

    StoreListColumns(*root, {{120, false, 0}, {80, true, 1}});
    ReadListColumns(*root, columns);
    EXPECT_EQ(columns[0].Width, 120);
    EXPECT_FALSE(columns[0].Visible);
    EXPECT_EQ(columns[0].Position, 0);
    EXPECT_EQ(columns[1].Width, 80);
    EXPECT_TRUE(columns[1].Visible);
}

// A value that does not read stops the columns there, keeping what was read.
TEST(ListColumns, AColumnIsMadeAsFarAsItsNodeReads) {
    const ConfigRootPtr root =
        Config("<node Name=\"Full Path\" Width=\"300\" Visible=\"True\" Index=\"0\" "
               "ReadOnly=\"True\" Align=\"left\"/>"
               "<node Name=\"Folder Name\" Width=\"wide\"/>");
    std::vector<ListColumn> columns;
    EXPECT_THROW(ReadListColumns(*root, columns), HollowsweepError);
    ASSERT_EQ(columns.size(), 2U);
    EXPECT_EQ(columns[0].Width, 300);
    EXPECT_EQ(columns[1].Name, "Folder Name");
    EXPECT_EQ(columns[1].Width, std::nullopt);
}

TEST(ListColumns, EachClickSortsAscendingUnlessTheLastWasAscending) {
    ListSorting sorting;
    EXPECT_EQ(sorting.Column(), std::nullopt);
    EXPECT_EQ(sorting.Click(2), SortDirection::Ascending);
    EXPECT_EQ(sorting.Click(2), SortDirection::Descending);
    EXPECT_EQ(sorting.Click(0), SortDirection::Ascending);
    EXPECT_EQ(sorting.Click(1), SortDirection::Descending);
    EXPECT_EQ(sorting.Column(), 1);
    sorting.Forget();
    EXPECT_EQ(sorting.Click(1), SortDirection::Ascending);
}

TEST(ListColumns, AnEntryOpensItsFolderOrTheFolderHoldingItsFile) {
    EXPECT_EQ(FolderToOpen(ResultRecord::ForFolder("/data/old")), "/data/old");
    ResultRecord file;
    file.SetField(FullPath, "/data/notes.txt");
    file.SetField(FileType, "file");
    EXPECT_EQ(FolderToOpen(file), "/data");
    file.SetField(FullPath, "/notes.txt");
    EXPECT_EQ(FolderToOpen(file), "/");
    file.SetField(FullPath, "notes.txt");
    EXPECT_EQ(FolderToOpen(file), "");
}

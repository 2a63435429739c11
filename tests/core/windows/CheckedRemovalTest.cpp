#include "TempTree.h"
#include "core/results/DeleteChecked.h"
#include "core/results/LoadEmptyFolders.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace hollowsweep;
using hollowsweep::test::TempTree;

namespace {

std::vector<std::string> Paths(const ResultList& list) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        paths.emplace_back(list.At(i).Record.Path());
    }
    return paths;
}

// The window's way: scan into the list, all checked, with each folder's
// last name in its own field; remove the checked ones, and the list keeps the
// unchecked entry alone.
TEST(WindowsCheckedRemoval, ScansIntoTheListAndRemovesTheCheckedFolders) {
    const TempTree tree;
    tree.MakeFolder(L"top\\chain.one\\link");
    ResultList list;
    ASSERT_TRUE(LoadEmptyFolders(list, tree.Path(L"top\\")));
    const std::vector<std::string> found{tree.Path(L"top\\chain.one\\link"),
                                         tree.Path(L"top\\chain.one"), tree.Path(L"top")};
    ASSERT_EQ(Paths(list), found);
    EXPECT_EQ(list.At(1).Record.Field(FileName), "chain.one");
    EXPECT_EQ(list.CheckedCount(), 3U);

    list.SetChecked(2, false);
    const DeleteSummary summary = DeleteCheckedFolders(list);
    EXPECT_EQ(summary.Removed, 2U);
    EXPECT_TRUE(summary.Failures.empty());
    EXPECT_EQ(Paths(list), std::vector<std::string>{tree.Path(L"top")});
    EXPECT_FALSE(tree.Exists(L"top\\chain.one"));
    EXPECT_TRUE(tree.Exists(L"top"));
}

} // namespace

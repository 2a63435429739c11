#include "core/removal/RemovalPlan.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace hollowsweep;

namespace {

using Paths = std::vector<std::string>;

// The targets' paths in the order a removal on one thread takes them.
Paths TargetsChildrenFirst(const RemovalPlan& plan) {
    Paths paths;
    PlanPaths builder;
    plan.ForEachTargetChildrenFirst(
        [&](PlanIndex index) { paths.emplace_back(builder.PathOf(plan, index)); });
    return paths;
}

} // namespace

TEST(RemovalPlan, TakesOnlyPathsInsideTheStartingFoldersWithoutDotDot) {
    const Paths starts = {"/data/tree/", "/data/tree/inner", "rel"};
    RemovalPlan plan(starts);
    ASSERT_EQ(plan.StartingFolders().size(), 2U); // the inner one joins its holder
    const struct {
        const char* path;
        bool taken;
    } cases[] = {
        {"/data/tree/a/b", true},     {"/data/tree/a/b/", true}, // the same folder again
        {"/data/tree/inner/x", true}, {"/data/tree", true},      {"rel/x", true},
        {"/data/treehouse/x", false}, {"/data/other", false},    {"/data/tree/../etc", false},
        {"/data/tree/a/./b", true}, // a "." step names the same folder
        {"./rel/x", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(plan.Add(c.path, {}, 0), c.taken) << c.path;
    }
    EXPECT_EQ(plan.TargetCount(), 4U);
}

TEST(RemovalPlan, GroupedOrderKeepsEachFolderWithTheFoldersBelowIt) {
    Paths paths = {"/t/a-b", "/t/a/c", "/t/a", "/t/a.txt/x", "/t/a/b", "/t", "/t/a/b/z"};
    std::sort(paths.begin(), paths.end(), RemovalPlan::GroupedBefore);
    EXPECT_EQ(paths, (Paths{"/t", "/t/a", "/t/a/b", "/t/a/b/z", "/t/a/c", "/t/a-b", "/t/a.txt/x"}));
    const Paths starts = {"/t"};
    RemovalPlan plan(starts);
    for (const auto& path : paths) {
        ASSERT_TRUE(plan.Add(path, {}, 0)) << path;
    }
    // One node per folder: a, a/b, a/b/z, a/c, a-b, a.txt, a.txt/x and the start.
    EXPECT_EQ(plan.Size(), 8U);
    EXPECT_EQ(TargetsChildrenFirst(plan),
              (Paths{"/t/a/b/z", "/t/a/b", "/t/a/c", "/t/a", "/t/a-b", "/t/a.txt/x", "/t"}));
}

TEST(RemovalPlan, ScanOrderBuildsTheTreeWithoutLookingBack) {
    const Paths starts = {"/"};
    RemovalPlan plan(starts);
    for (const char* path : {"/x/y/z", "/x/y", "/x/w", "/x", "/v"}) {
        ASSERT_TRUE(plan.Add(path, {}, 0)) << path;
    }
    EXPECT_EQ(plan.Size(), 6U);
    EXPECT_EQ(TargetsChildrenFirst(plan), (Paths{"/x/y/z", "/x/y", "/x/w", "/x", "/v"}));
}

TEST(RemovalPlan, PathsOfADeepChainCostTheirLengthOnly) {
    const Paths starts = {"base"};
    RemovalPlan plan(starts);
    std::string path = "base";
    for (int level = 0; level < 2000; ++level) {
        path += "/n";
    }
    ASSERT_TRUE(plan.Add(path, {}, 0));
    PlanPaths builder;
    std::string expected = path;
    for (auto index = static_cast<PlanIndex>(plan.Size() - 1);; --index) {
        ASSERT_EQ(builder.PathOf(plan, index), expected);
        if (index == 0) {
            break;
        }
        expected.resize(expected.size() - 2);
    }
}

TEST(RemovalPlan, NestedStartingFoldersCanStandAlone) {
    const Paths starts = {"/t", "/t/a/in", "/t"};
    RemovalPlan plan(starts, NestedFolders::StandAlone);
    ASSERT_EQ(plan.StartingFolders().size(), 2U);
    for (const char* path : {"/t/a/in/x", "/t/a/in", "/t/a/other", "/t/a", "/t/b"}) {
        ASSERT_TRUE(plan.Add(path, {}, 0)) << path;
    }
    // Each path belongs to the innermost starting folder holding it.
    EXPECT_EQ(TargetsChildrenFirst(plan),
              (Paths{"/t/a/other", "/t/a", "/t/b", "/t/a/in/x", "/t/a/in"}));
    EXPECT_EQ(plan.Node(plan.StartingFolders()[0].Node).ChildCount, 2U); // a and b
}

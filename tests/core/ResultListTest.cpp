#include "core/results/ResultList.h"

#include "ResultLists.h"
#include "core/errors/Errors.h"

#include <gtest/gtest.h>

using namespace hollowsweep;
using hollowsweep::test::ListOf;

namespace {

class RecordingObserver final : public IResultListObserver {
public:
    void ListBeginUpdate() override { Events += "["; }
    void ListEndUpdate() override { Events += "]"; }
    void ListChecksChanged() override { Events += "v"; }
    std::string Events;
};

std::string Paths(const ResultList& list) {
    std::string paths;
    for (const auto& entry : list) {
        paths += std::string(entry.Record.Path()) + (entry.Checked() ? "+" : "-") + " ";
    }
    return paths;
}

} // namespace

TEST(ResultList, AppendedEntriesStartChecked) {
    const ResultList list = ListOf({"/a", "/b"});
    EXPECT_EQ(list.Count(), 2U);
    EXPECT_EQ(Paths(list), "/a+ /b+ ");
}

TEST(ResultList, CheckAndUncheckEveryEntryIncludingAnEmptyList) {
    ResultList list = ListOf({"/a", "/b", "/c"});
    list.SetChecked(1, false);
    list.CheckAll();
    EXPECT_EQ(Paths(list), "/a+ /b+ /c+ ");
    list.UncheckAll();
    EXPECT_EQ(Paths(list), "/a- /b- /c- ");

    ResultList empty;
    EXPECT_NO_THROW(empty.CheckAll());
    EXPECT_NO_THROW(empty.UncheckAll());
}

TEST(ResultList, ChecksRangesAsOneChangeAndKeepsCount) {
    ResultList list = ListOf({"/a", "/b", "/c", "/d", "/e"});
    RecordingObserver observer;
    list.SetObserver(&observer);
    const std::vector<EntryRange> ranges = {{1, 2}, {2, 2}, {0, 0}};
    list.SetChecked(ranges, false);
    EXPECT_EQ(Paths(list), "/a+ /b- /c- /d- /e+ ");
    EXPECT_EQ(observer.Events, "v");
    EXPECT_EQ(list.CheckedCount(), 2U);

    const std::vector<EntryRange> beyondTheEnd = {{0, 1}, {4, 2}};
    EXPECT_THROW(list.SetChecked(beyondTheEnd, false), IndexError);
    EXPECT_EQ(Paths(list), "/a+ /b- /c- /d- /e+ ");

    list.Delete(1);
    list.DeleteMarked({true});
    EXPECT_EQ(list.CheckedCount(), 1U);
    list.Append(ResultRecord::ForFolder("/f"));
    list.SetChecked(0, true);
    EXPECT_EQ(list.CheckedCount(), 3U);
    ResultList other;
    other.Replace(std::move(list));
    EXPECT_EQ(other.CheckedCount(), 3U);
    // Replace leaves the list it took from empty, and its count says so.
    EXPECT_EQ(list.CheckedCount(), 0U); // NOLINT(bugprone-use-after-move)
}

TEST(ResultList, DeletesOneEntryOrManyAtOnce) {
    ResultList list = ListOf({"/a", "/b", "/c", "/d"});
    list.Delete(1);
    EXPECT_EQ(Paths(list), "/a+ /c+ /d+ ");
    list.DeleteMarked({true, false, true});
    EXPECT_EQ(Paths(list), "/c+ ");
    list.Clear();
    EXPECT_TRUE(list.Empty());
}

TEST(ResultList, OutOfRangeIndexRaisesAnIndexErrorNamingIt) {
    ResultList list = ListOf({"/a"});
    EXPECT_THROW(list.At(1), IndexError);
    try {
        list.Delete(5);
        FAIL();
    } catch (const IndexError& error) {
        EXPECT_EQ(error.Index(), 5);
    }
    EXPECT_EQ(list.Count(), 1U);
}

TEST(ResultList, ObserverHearsOnlyTheOutermostUpdate) {
    ResultList list;
    RecordingObserver observer;
    list.SetObserver(&observer);
    list.BeginUpdate();
    list.Append(ResultRecord::ForFolder("/a"));
    list.Append(ResultRecord::ForFolder("/b"));
    list.CheckAll();
    EXPECT_EQ(observer.Events, "[");
    list.EndUpdate();
    EXPECT_EQ(observer.Events, "[]");
    // Marks alone change no entry: a view keeps its selection.
    list.UncheckAll();
    EXPECT_EQ(observer.Events, "[]v");
    list.Clear();
    EXPECT_EQ(observer.Events, "[]v[]");
}

TEST(ResultList, SortsByTheMergeRuleAndKeepsCheckStates) {
    ResultList list = ListOf({"/b", "/C", "/a"});
    list.SetChecked(1, false);
    const auto byPath = [](const ResultEntry& a, const ResultEntry& b) {
        return a.Record.Path().compare(b.Record.Path());
    };
    list.Sort(byPath, SortDirection::Ascending);
    EXPECT_EQ(Paths(list), "/C- /a+ /b+ ");
    list.Sort(byPath, SortDirection::Descending);
    EXPECT_EQ(Paths(list), "/b+ /a+ /C- ");
}

TEST(ResultList, ReordersByAPermutationAndRefusesAnyOther) {
    ResultList list = ListOf({"/a", "/b", "/c", "/d", "/e"});
    list.SetChecked(1, false);
    list.Reorder({3, 4, 1, 0, 2});
    EXPECT_EQ(Paths(list), "/d+ /e+ /b- /a+ /c+ ");
    EXPECT_THROW(list.Reorder({0, 1, 1, 3, 4}), IndexError);
    EXPECT_THROW(list.Reorder({0, 1, 2, 3, 5}), IndexError);
    EXPECT_THROW(list.Reorder({0, 1}), IndexError);
    EXPECT_EQ(Paths(list), "/d+ /e+ /b- /a+ /c+ ");
}

TEST(ResultList, FilterShowsPathsHoldingTheTextOrMatchingTheGlob) {
    struct Case {
        const char* Filter;
        const char* Shown;
    };
    const Case cases[] = {
        {"", "0 1 2 3 4"},      {"photo", "0 1 3"}, {"RAW", "1"},         {"*/raw", "1"},
        {"/srv/*", "0 1"},      {"*[0-9]", "3"},    {"/srv/?hotos", "0"}, {"nothing", ""},
        {"/SRV/Photos", "0 1"}, {"S/R", "1"},       {"os2", "3"},         {"2", "3"},
        {"/mUS", "2"},          {"s2/", ""},        {"/tmp/music/", ""},
    };
    for (const Case& c : cases) {
        ResultList list =
            ListOf({"/srv/Photos", "/srv/Photos/raw", "/tmp/music", "/photos2", "/tmp/a*b"});
        list.SetFilter(c.Filter);
        std::string shown;
        for (std::size_t row = 0; row < list.ShownCount(); ++row) {
            shown += (row == 0 ? "" : " ") + std::to_string(list.ShownEntry(row));
        }
        EXPECT_EQ(shown, c.Shown) << c.Filter;
    }
}

// Typing on looks only at what is shown; that must show what the whole text
// shows, also where the list changed in the same update.
TEST(ResultList, TypingOnShowsWhatTheWholeTextShows) {
    const auto paths = {"/srv/Photos", "/srv/Photos/raw", "/tmp/music", "/photos2", "/tmp/a*b"};
    const auto list = [&] {
        ResultList result;
        for (const char* path : paths) {
            result.Append(ResultRecord::ForFolder(path));
        }
        return result;
    };
    ResultList typed = list();
    for (const char* text : {"p", "ph", "PHOTO", "photos/", "photos/r", "/", "*", "", "/t"}) {
        typed.SetFilter(text);
        ResultList whole = list();
        whole.SetFilter(text);
        EXPECT_EQ(typed.ShownCount(), whole.ShownCount()) << text;
        for (std::size_t row = 0; row < whole.ShownCount(); ++row) {
            EXPECT_EQ(typed.ShownEntry(row), whole.ShownEntry(row)) << text;
        }
    }
    typed.BeginUpdate();
    typed.Append(ResultRecord::ForFolder("/tmp/new"));
    typed.SetFilter("/tmp/n");
    typed.EndUpdate();
    ASSERT_EQ(typed.ShownCount(), 1U);
    EXPECT_EQ(typed.At(typed.ShownEntry(0)).Record.Path(), "/tmp/new");
}

// Enough entries that the filter runs on several threads, each on a slice.
TEST(ResultList, AFilterOverManyEntriesShowsEachMatchOnceInOrder) {
    constexpr std::size_t Count = 300'001;
    ResultList list;
    for (std::size_t i = 0; i < Count; ++i) {
        list.Append(ResultRecord::ForFolder("/d/" + std::to_string(i)));
    }
    for (const std::string text : {"7", "77", "*1?", "/d/300000"}) {
        list.SetFilter(text);
        std::vector<std::size_t> expected;
        for (std::size_t i = 0; i < Count; ++i) {
            const std::string name = std::to_string(i);
            const bool matches = text == "*1?" ? name.size() >= 2 && name[name.size() - 2] == '1'
                                               : ("/d/" + name).find(text) != std::string::npos;
            if (matches) {
                expected.push_back(i);
            }
        }
        ASSERT_EQ(list.ShownCount(), expected.size()) << text;
        for (std::size_t row = 0; row < expected.size(); ++row) {
            ASSERT_EQ(list.ShownEntry(row), expected[row]) << text;
        }
    }
}

TEST(ResultList, CheckAllActsOnTheShownEntriesAndTheFilterOutlivesChanges) {
    ResultList list = ListOf({"/a/x", "/b/x", "/a/y", "/b/y"});
    RecordingObserver observer;
    list.SetObserver(&observer);
    list.SetFilter("/a/");
    EXPECT_EQ(observer.Events, "[]");
    list.UncheckAll();
    EXPECT_EQ(Paths(list), "/a/x- /b/x+ /a/y- /b/y+ ");
    EXPECT_EQ(list.ShownCheckedCount(), 0U);
    EXPECT_EQ(list.CheckedCount(), 2U);
    list.Delete(0);
    list.Append(ResultRecord::ForFolder("/a/z"));
    list.Append(ResultRecord::ForFolder("/c/z"));
    EXPECT_EQ(list.ShownCount(), 2U);
    EXPECT_EQ(list.At(list.ShownEntry(1)).Record.Path(), "/a/z");
    EXPECT_THROW(list.ShownEntry(2), IndexError);
    list.SetFilter({});
    EXPECT_EQ(list.ShownCount(), 5U);
    EXPECT_EQ(list.ShownCheckedCount(), 4U);
}

// A folder's subtree goes by whole path components, from the root down, and
// bytes that are not UTF-8 are compared as they are.
TEST(ResultList, ChecksAFolderAndEveryFolderBelowItInOneChange) {
    struct Case {
        const char* Folder;
        const char* Filter;
        const char* Unchecked;
    };
    const Case cases[] = {
        {"/a/b", "", "/a/b- /a/b/c- /a/bc+ /a+ /x/a/b+ /a/b/c/d\xff- /\xff/b+ "},
        {"/a/b/c", "", "/a/b+ /a/b/c- /a/bc+ /a+ /x/a/b+ /a/b/c/d\xff- /\xff/b+ "},
        {"/", "", "/a/b- /a/b/c- /a/bc- /a- /x/a/b- /a/b/c/d\xff- /\xff/b- "},
        {"/\xff", "", "/a/b+ /a/b/c+ /a/bc+ /a+ /x/a/b+ /a/b/c/d\xff+ /\xff/b- "},
        {"/a", "", "/a/b- /a/b/c- /a/bc- /a- /x/a/b+ /a/b/c/d\xff- /\xff/b+ "},
        // Only what the filter shows, as "Check All" does.
        {"/a/b", "*/c", "/a/b+ /a/b/c- /a/bc+ /a+ /x/a/b+ /a/b/c/d\xff+ /\xff/b+ "},
    };
    for (const Case& c : cases) {
        ResultList list =
            ListOf({"/a/b", "/a/b/c", "/a/bc", "/a", "/x/a/b", "/a/b/c/d\xff", "/\xff/b"});
        list.SetFilter(c.Filter);
        RecordingObserver observer;
        list.SetObserver(&observer);
        list.SetSubtreeChecked(c.Folder, false);
        EXPECT_EQ(Paths(list), c.Unchecked) << c.Folder << " " << c.Filter;
        EXPECT_EQ(observer.Events, "v");
        std::size_t unchecked = 0;
        for (const auto& entry : list) {
            unchecked += entry.Checked() ? 0 : 1;
        }
        EXPECT_EQ(list.CheckedCount(), list.Count() - unchecked);
        list.SetSubtreeChecked(c.Folder, true);
        EXPECT_EQ(list.CheckedCount(), list.Count()) << c.Folder;
    }

    ResultList list = ListOf({"/a", "/a/b"});
    list.SetRemovalRunning(true);
    EXPECT_THROW(list.SetSubtreeChecked("/a", false), HollowsweepError);
    EXPECT_EQ(list.CheckedCount(), 2U);
}

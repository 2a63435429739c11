// What the Options dialog shows and stores, decided without the dialog, on a
// real configuration file.

#include "core/presenter/OptionsForm.h"

#include "TestDir.h"
#include "Unprivileged.h"
#include "core/platform/WholeFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace hollowsweep;
using hollowsweep::test::TestDir;
using namespace std::chrono_literals;

TEST(OptionsForm, AnAgeShowsInTheLargestUnitItFillsWhole) {
    const struct {
        std::chrono::seconds age;
        int count;
        AgeUnit unit;
    } cases[] = {
        {std::chrono::days(7), 7, AgeUnit::Days},
        {36h, 36, AgeUnit::Hours},
        {90min, 90, AgeUnit::Minutes},
        {61s, 61, AgeUnit::Seconds},
        {std::chrono::seconds(100000), 1, AgeUnit::Days},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.age.count());
        const AgeInUnit shown = ShownAge(c.age, 99999);
        EXPECT_EQ(shown.Count, c.count);
        EXPECT_EQ(shown.Unit, c.unit);
        if (c.count != 1 || c.unit != AgeUnit::Days) {
            EXPECT_EQ(AgeOf(shown), c.age);
        }
    }
}

TEST(OptionsForm, CommonJunkIsAddedOnceAfterTheNamesGiven) {
    EXPECT_EQ(WithCommonJunk({"notes.bak", "desktop.ini"}),
              (std::vector<std::string>{"notes.bak", "desktop.ini", "Thumbs.db", "ehthumbs.db",
                                        ".DS_Store"}));
}

TEST(OptionsForm, StoredOptionsComeBackAndUnreadableOnesStartUnset) {
    TestDir dir;
    Config config(dir.Path("config.xml"));
    OptionValues values;
    values.Rules.ExcludedFolders = {"node_modules"};
    values.Rules.MinimumAge = std::chrono::hours(12);
    values.MoveToTrash = true;
    EXPECT_EQ(StoreOptions(config, values), std::nullopt);
    Config again(dir.Path("config.xml"));
    const LoadedOptions loaded = LoadOptions(again);
    EXPECT_EQ(loaded.Error, std::nullopt);
    EXPECT_EQ(loaded.Values.Rules.ExcludedFolders, values.Rules.ExcludedFolders);
    EXPECT_EQ(loaded.Values.Rules.MinimumAge, values.Rules.MinimumAge);
    EXPECT_TRUE(loaded.Values.MoveToTrash);

    dir.MakeFile("broken.xml", "<config><nodes/><removal moveToTrash=\"perhaps\"/></config>");
    Config broken(dir.Path("broken.xml"));
    const LoadedOptions unset = LoadOptions(broken);
    ASSERT_TRUE(unset.Error);
    EXPECT_NE(unset.Error->find("moveToTrash"), std::string::npos) << *unset.Error;
    EXPECT_FALSE(unset.Values.MoveToTrash);
    EXPECT_TRUE(unset.Values.Rules.ExcludedFolders.empty());
}

// A configuration that cannot be saved keeps the options for this run and
// says why; the file stays as it was.
TEST(OptionsForm, OptionsThatCannotBeSavedStillApply) {
    TestDir dir;
    dir.MakeFolders("locked");
    { Config made(dir.Path("locked/config.xml")); }
    const std::string before = ReadWholeFile(dir.Path("locked/config.xml"));
    test::GiveToUnprivileged(dir.Root());
    ASSERT_EQ(::chmod(dir.Path("locked").c_str(), 0500), 0);
    const std::string outcome = test::RunUnprivileged([&dir] {
        Config config(dir.Path("locked/config.xml"));
        OptionValues values;
        values.MoveToTrash = true;
        const auto failure = StoreOptions(config, values);
        const bool applied = LoadOptions(config).Values.MoveToTrash;
        return std::string(failure ? "not saved" : "saved") + (applied ? ", applied" : "");
    });
    EXPECT_EQ(outcome, "not saved, applied");
    EXPECT_EQ(ReadWholeFile(dir.Path("locked/config.xml")), before);
}

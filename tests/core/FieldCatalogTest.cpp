#include "core/results/FieldCatalog.h"

#include <gtest/gtest.h>

using namespace hollowsweep;

TEST(FieldCatalog, HoldsNineteenNamesSpelledExactly) {
    ASSERT_EQ(FieldNames.size(), 19U);
    EXPECT_EQ(FieldNames[0], "File Name");
    EXPECT_EQ(FieldNames[13], "DOS Name");
    EXPECT_EQ(FieldNames[14], "File Count");
    EXPECT_EQ(FieldNames[15], "CreateAgeRange");
    EXPECT_EQ(FieldNames[18], "SizeRange");
}

TEST(FieldCatalog, IndexOfMatchesByteForByteAndFallsBackToZero) {
    const struct {
        const char* name;
        int index;
    } cases[] = {
        {"File Name", 0},   {"Full Path", 1},   {"File Type", 4},  {"SizeRange", 18},
        {"Write Time", 12}, {"Folder Name", 0}, {"", 0},           {"full path", 0},
        {"Full Path ", 0},  {"FullPath", 0},    {" Full Path", 0}, {"Full  Path", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FieldIndexOf(c.name), c.index) << '"' << c.name << '"';
    }
    for (std::size_t i = 0; i < FieldNames.size(); ++i) {
        EXPECT_EQ(FieldIndexOf(FieldNames[i]), i);
    }
}

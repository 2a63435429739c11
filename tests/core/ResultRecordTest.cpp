#include "core/results/ResultRecord.h"

#include <gtest/gtest.h>

using namespace hollowsweep;

TEST(ResultRecord, NewRecordHasEveryFieldEmpty) {
    const ResultRecord record;
    for (std::size_t i = 0; i < FieldCount; ++i) {
        EXPECT_TRUE(record.Field(static_cast<FieldIndex>(i)).empty()) << i;
    }
}

TEST(ResultRecord, ScannedFolderFillsNameAndPathOnly) {
    const auto record = ResultRecord::ForFolder("/data/old stuff/Empty");
    EXPECT_EQ(record.Field(FileName), "Empty");
    EXPECT_EQ(record.Field(FullPath), "/data/old stuff/Empty");
    for (std::size_t i = 2; i < FieldCount; ++i) {
        EXPECT_TRUE(record.Field(static_cast<FieldIndex>(i)).empty()) << i;
    }
}

TEST(ResultRecord, NameOfRootAndOfBareNames) {
    EXPECT_EQ(ResultRecord::ForFolder("/").Field(FileName), "");
    EXPECT_EQ(ResultRecord::ForFolder("relative").Field(FileName), "relative");
    EXPECT_EQ(ResultRecord::ForFolder("a/b").Field(FileName), "b");
}

TEST(ResultRecord, EveryFieldCanBeWrittenAndReadBack) {
    ResultRecord record = ResultRecord::ForFolder("/x/y");
    for (std::size_t i = 2; i < FieldCount; ++i) {
        record.SetField(static_cast<FieldIndex>(i), "value " + std::to_string(i));
    }
    for (std::size_t i = 2; i < FieldCount; ++i) {
        EXPECT_EQ(record.Field(static_cast<FieldIndex>(i)), "value " + std::to_string(i));
    }
    EXPECT_EQ(record.Field(FileName), "y");
    EXPECT_TRUE(record.Field(static_cast<FieldIndex>(FieldCount)).empty());
}

TEST(ResultRecord, NameAndPathStayIndependent) {
    ResultRecord record;
    record.SetField(FileName, "report.txt");
    record.SetField(FullPath, "/docs/other.txt");
    EXPECT_EQ(record.Field(FileName), "report.txt");
    EXPECT_EQ(record.Field(FullPath), "/docs/other.txt");

    record.SetField(FileName, "other.txt");
    record.SetField(FullPath, "/elsewhere/z");
    EXPECT_EQ(record.Field(FileName), "other.txt");

    record.SetField(FileName, "");
    EXPECT_EQ(record.Field(FileName), "");
    EXPECT_EQ(record.Field(FullPath), "/elsewhere/z");
}

TEST(ResultRecord, CopiesAreDeep) {
    ResultRecord original = ResultRecord::ForFolder("/a/b");
    original.SetField(Description, "first");
    ResultRecord copy = original;
    copy.SetField(Description, "second");
    copy.SetField(FileName, "renamed");
    EXPECT_EQ(original.Field(Description), "first");
    EXPECT_EQ(original.Field(FileName), "b");
    EXPECT_EQ(copy.Field(Description), "second");
    EXPECT_EQ(copy.Field(FileName), "renamed");
}

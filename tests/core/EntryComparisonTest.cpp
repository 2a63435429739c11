#include "core/results/EntryComparison.h"

#include <gtest/gtest.h>

using namespace hollowsweep;

namespace {

// Days since a fixed day for "YYYY-MM-DD", as a locale's reader would give.
std::optional<double> ReadIsoDay(std::string_view text) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (std::sscanf(std::string(text).c_str(), "%d-%d-%d", &year, &month, &day) != 3) {
        return std::nullopt;
    }
    return year * 372.0 + month * 31.0 + day;
}

// The values of one field after a sort by it.
std::vector<std::string> Sorted(FieldIndex field, std::vector<std::string> values,
                                SortDirection direction, std::vector<std::string> kinds = {}) {
    ResultList list;
    for (std::size_t i = 0; i < values.size(); ++i) {
        ResultRecord record;
        record.SetField(field, values[i]);
        if (i < kinds.size()) {
            record.SetField(FileType, kinds[i]);
        }
        list.Append(std::move(record));
    }
    const LocaleReaders readers{{}, ReadIsoDay};
    list.Sort(
        [&](const ResultEntry& a, const ResultEntry& b) {
            return CompareEntries(a.Record, b.Record, field, direction, readers);
        },
        direction);
    std::vector<std::string> result;
    for (const auto& entry : list) {
        result.emplace_back(entry.Record.Field(field));
    }
    return result;
}

using Values = std::vector<std::string>;

} // namespace

TEST(EntryComparison, TextIgnoresTheCaseOfAToZOnly) {
    EXPECT_EQ(Sorted(FullPath, {"/b", "/A", "/a/c", "/\xC3\xA9", "/Z"}, SortDirection::Ascending),
              (Values{"/A", "/a/c", "/b", "/Z", "/\xC3\xA9"}));
    EXPECT_EQ(Sorted(FullPath, {"/b", "/A", "/Z"}, SortDirection::Descending),
              (Values{"/Z", "/b", "/A"}));
    EXPECT_LT(CompareTextIgnoringCase("abc", "ABCD"), 0);
    EXPECT_EQ(CompareTextIgnoringCase("abc", "ABC"), 0);
}

TEST(EntryComparison, NumbersThatDoNotReadCountAsZero) {
    EXPECT_EQ(Sorted(FileSize, {"10", "9", "abc"}, SortDirection::Ascending),
              (Values{"abc", "9", "10"}));
    EXPECT_EQ(Sorted(FileSize, {"10", "9", "abc"}, SortDirection::Descending),
              (Values{"10", "9", "abc"}));
}

TEST(EntryComparison, EmptyDatesComeFirstAscendingAndLastDescending) {
    const Values dates = {"2024-03-01", "", "2023-12-31", "2024-01-15"};
    EXPECT_EQ(Sorted(WriteTime, dates, SortDirection::Ascending),
              (Values{"", "2023-12-31", "2024-01-15", "2024-03-01"}));
    EXPECT_EQ(Sorted(WriteTime, dates, SortDirection::Descending),
              (Values{"2024-03-01", "2024-01-15", "2023-12-31", ""}));
}

TEST(EntryComparison, FoldersComeBeforeOtherKindsInBothDirections) {
    const Values names = {"b", "a", "c"};
    const Values kinds = {"file", " folder ", "file"};
    EXPECT_EQ(Sorted(FileName, names, SortDirection::Ascending, kinds), (Values{"a", "b", "c"}));
    EXPECT_EQ(Sorted(FileName, names, SortDirection::Descending, kinds), (Values{"a", "c", "b"}));
}

#include "core/results/FieldText.h"

#include <gtest/gtest.h>

using namespace hollowsweep;

namespace {

std::string Shown(FieldIndex field, std::string_view text, const NumberFormat& format = {}) {
    ResultRecord record = ResultRecord::ForFolder("/data/old");
    record.SetField(field, text);
    return GetFieldText(field, &record, format);
}

} // namespace

TEST(FieldText, SizesAreShownInTheLargestFittingUnitWithTheLocalesSeparators) {
    const NumberFormat german{".", ","};
    const std::tuple<std::string_view, NumberFormat, std::string> cases[] = {
        {"1023", {}, "1,023.00 B"},
        {"1536", {}, "1.50 KB"},
        {"1048576", {}, "1.00 MB"},
        {"5368709120", {}, "5.00 GB"},
        {"1099511627776000", {}, "1,024,000.00 GB"},
        {"-5", {}, "-5.00 B"},
        {" 12.5 ", {}, "12.50 B"},
        {"1e3", {}, "1,000.00 B"},
        {"1536", german, "1,50 KB"},
        {"1234,5", german, "1,21 KB"},
        {"1.234", german, ""},
        {"", {}, ""},
        {"12 KB", {}, ""},
        {"1,024", {}, ""},
        {"nan", {}, ""},
        {"0x10", {}, ""},
    };
    for (const auto& [text, format, expected] : cases) {
        EXPECT_EQ(Shown(FileSize, text, format), expected) << text;
    }
}

TEST(FieldText, PercentagesGainASignAndOtherFieldsShowAsTheyAre) {
    EXPECT_EQ(Shown(SizePercentage, "12.5"), "12.5%");
    EXPECT_EQ(Shown(SizePercentage, ""), "");
    EXPECT_EQ(Shown(CreateTime, "2024-01-02"), "2024-01-02");
    const ResultRecord record = ResultRecord::ForFolder("/data/old");
    EXPECT_EQ(GetFieldText(FileName, &record, {}), "old");
    EXPECT_EQ(GetFieldText(FullPath, &record, {}), "/data/old");
    EXPECT_EQ(GetFieldText(FullPath, nullptr, {}), "");
}

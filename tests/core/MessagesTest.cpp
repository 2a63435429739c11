#include "core/product/Messages.h"

#include <gtest/gtest.h>

using namespace hollowsweep;

namespace {

// Numbers without a value, "%0" and a lone "%" stay as they are written, and
// a value holding "%2" is not expanded again.
TEST(Messages, FormatTextReplacesNumberedPlaceholders) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"%1 of %2", "one of %2"}, {"%2%1", "%2one"},
        {"%1%1", "oneone"},        {"%3 and %0", "%3 and %0"},
        {"100%", "100%"},          {"%%1", "%one"},
        {"%10", "one0"},           {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatText(c.text, {"one", "%2"}), c.expected);
    }
}

// Untranslated, as in the C locale the tests run in, a message is the English
// text itself and a count picks the English singular for one alone.
TEST(Messages, EnglishWithoutTranslation) {
    const char* english = "Scanning folders...";
    EXPECT_EQ(Tr(english), english);
    EXPECT_STREQ(TrN("%1 folder", "%1 folders", 1), "%1 folder");
    EXPECT_STREQ(TrN("%1 folder", "%1 folders", 0), "%1 folders");
    EXPECT_STREQ(TrN("%1 folder", "%1 folders", 2), "%1 folders");
}

} // namespace

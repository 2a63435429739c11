#include "core/platform/NameMatch.h"

#include <gtest/gtest.h>

using namespace hollowsweep;

namespace {

struct MatchCase {
    const char* Pattern;
    const char* Text;
    bool Matches;
};

// As Windows compares names: case folded, "\" and "/" alike, "\" no escape.
TEST(WindowsNameMatch, MatchesWildcardsAsWindowsNamesCompare) {
    const MatchCase cases[] = {
        {"Thumbs.db", "thumbs.DB", true},
        {"*.tmp", "a.TMP", true},
        {"*.tmp", "a.tmp.txt", false},
        {"node_*", "NODE_MODULES", true},
        {"?b", "ab", true},
        {"?b", "b", false},
        {"[a-c]x", "Bx", true},
        {"[!a-c]x", "dx", true},
        {"[!a-c]x", "ax", false},
        {"[x", "[x", true},
        {"C:/Users/*/Temp", "c:\\users\\me\\temp", true},
        {"C:\\a\\b", "C:/A/B", true},
        {"*a*b*", "xxaxxbxx", true},
        {"*a*b", "xxaxxbxxc", false},
        {"", "", true},
        {"*", "", true},
        {"a", "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesWildcard(c.Pattern, c.Text), c.Matches) << c.Pattern << " / " << c.Text;
    }
}

} // namespace

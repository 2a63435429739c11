#include "core/rules/GlobPattern.h"

#include <clocale>
#include <fnmatch.h>
#include <gtest/gtest.h>
#include <string>

namespace hollowsweep {
namespace {

TEST(GlobPattern, MatchesWildcardsSetsAndEscapes) {
    struct Case {
        const char* Pattern;
        const char* Text;
        bool Matches;
    };
    const Case cases[] = {
        {"", "", true},
        {"*", "", true},
        {"*", "/a/b", true},
        {"/srv/*/raw", "/srv/x/y/raw", true},
        {"*raw-4?/*", "/p/raw-42/thumbs", true},
        {"*raw-4?/*", "/p/raw-4/thumbs", false},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYbZ", false},
        {"[abc]", "b", true},
        {"[!abc]", "b", false},
        {"[^abc]", "d", true},
        {"[a-c]x", "bx", true},
        {"[]]", "]", true},
        {"[!]]", "]", false},
        {"[a-]", "-", true},
        {"[", "[", true},
        {"a[b", "a[b", true},
        {"\\*", "*", true},
        {"\\*", "x", false},
        {"[\\]]", "]", true},
        {"x\\", "x\\", true},
        {"ABC", "abc", false},
        // One character each: two bytes of UTF-8, and a byte that is not UTF-8.
        {"?", "\xC3\xA9", true},
        {"??", "\xC3\xA9", false},
        {"[\xC3\xA0-\xC3\xBF]", "\xC3\xA9", true},
        {"a?b",
         "a\xFF"
         "b",
         true},
        {"*\xFF", "x\xFF", true},
        {"[\xFF]", "\xFF", true},
        {"[a-z]", "\xFF", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GlobMatches(c.Pattern, c.Text), c.Matches) << c.Pattern << " " << c.Text;
    }
}

TEST(GlobPattern, AnswersAsFnmatchDoesOnUTF8Names) {
    const char* const patterns[] = {"*",     "?",          "*/b*",      "a*",     "*[0-9]",
                                    "[!a]*", "*\xC3\xA9*", "?\xC3\xA9", "[a-f]?", "*a*a*a",
                                    "\\a*",  "[]a]*",      "*[",        "a[!/]b"};
    const char* const texts[] = {"",   "a",        "ab",        "/a/b", "a/b",
                                 "b9", "\xC3\xA9", "x\xC3\xA9", "aaa",  "a/a/a/",
                                 "]x", "*[",       "a\u20ACb",  "a/b"};
    const std::string locale = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    for (const char* pattern : patterns) {
        for (const char* text : texts) {
            EXPECT_EQ(GlobMatches(pattern, text), ::fnmatch(pattern, text, 0) == 0)
                << pattern << " " << text;
        }
    }
    std::setlocale(LC_ALL, locale.c_str());
}

TEST(GlobPattern, NeedsNoTerminatingZero) {
    const std::string path = "/srv/raw/thumbs";
    EXPECT_TRUE(GlobMatches("*/raw", std::string_view(path).substr(0, 8)));
    EXPECT_FALSE(GlobMatches("*/raw", path));
}

} // namespace
} // namespace hollowsweep

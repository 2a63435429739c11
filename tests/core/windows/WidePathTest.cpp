#include "core/platform/WidePath.h"

#include "core/errors/Errors.h"

#include <gtest/gtest.h>
#include <string>

using namespace hollowsweep;

namespace {

// Every name Windows can hold comes back unchanged, a lone surrogate
// included, so that two such names never become one text.
TEST(WidePath, NamesGoThereAndBackUnchanged) {
    struct Case {
        std::wstring wide;
        std::string narrow;
    };
    const Case cases[] = {
        {L"plain", "plain"},
        {L"Gr\u00FC\u00DF", "Gr\xC3\xBC\xC3\x9F"},
        {L"\u6587\u4EF6", "\xE6\x96\x87\xE4\xBB\xB6"},
        {L"\U0001F600", "\xF0\x9F\x98\x80"},
        {std::wstring(1, wchar_t(0xD800)), "\xED\xA0\x80"},
        {std::wstring(1, wchar_t(0xDFFF)), "\xED\xBF\xBF"},
        {std::wstring{wchar_t(0xDC00), wchar_t(0xD800)}, "\xED\xB0\x80\xED\xA0\x80"},
        {std::wstring{L'a', wchar_t(0xD83D)}, "a\xED\xA0\xBD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.narrow);
        EXPECT_EQ(NarrowText(c.wide), c.narrow);
        EXPECT_EQ(WideText(c.narrow), c.wide);
    }
}

// Text that no name can have produced is refused rather than guessed at.
TEST(WidePath, RefusesWhatIsNotWtf8) {
    const char* const cases[] = {
        "\xC3",             // cut short
        "a\x80",            // a continuation byte alone
        "\xC0\xAF",         // "/" spelled long
        "\xE0\x80\xAF",     // "/" spelled longer
        "\xF4\x90\x80\x80", // past the last code point
        "\xFF",
        "\xED\xA0\xBD\xED\xB8\x80", // a pair as two lone surrogates
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        EXPECT_THROW(WideText(text), ConversionError);
    }
}

TEST(WidePath, LongPathIsAbsoluteVerbatimAndResolved) {
    struct Case {
        const char* path;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"C:\\data\\reports", L"\\\\?\\C:\\data\\reports"},
        {"C:/data/./old/../reports/", L"\\\\?\\C:\\data\\reports\\"},
        {"C:\\", L"\\\\?\\C:\\"},
        {"\\\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\x"},
        {"\\\\?\\C:\\kept\\..\\as\\is", L"\\\\?\\C:\\kept\\..\\as\\is"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(LongPath(c.path), c.expected);
    }
}

// A relative path lies below the current folder, and a path past MAX_PATH
// comes back whole.
TEST(WidePath, LongPathOfRelativeAndLongPaths) {
    const std::wstring relative = LongPath("some\\folder");
    EXPECT_TRUE(relative.starts_with(L"\\\\?\\")) << NarrowText(relative);
    EXPECT_TRUE(relative.ends_with(L"\\some\\folder")) << NarrowText(relative);

    std::string deep = "D:";
    std::wstring expected = L"\\\\?\\D:";
    for (int level = 0; level < 40; ++level) {
        deep += "\\" + std::string(20, 'd');
        expected += L"\\" + std::wstring(20, L'd');
    }
    EXPECT_EQ(LongPath(deep), expected);
}

} // namespace

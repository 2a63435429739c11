#include "core/platform/NameMatch.h"

#include <cstring>

namespace hollowsweep {

namespace {

// Names differ in case only where ASCII letters do; other bytes are compared as they are.
char Folded(char c) {
    if (c == '/') {
        return '\\';
    }
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether c matches the bracket expression at pattern (just past its "["),
// and where it ends; nullptr when the "[" opens none and stands for itself.
const char* MatchBracket(const char* pattern, char c, bool& matched) {
    const bool negated = *pattern == '!' || *pattern == '^';
    if (negated) {
        ++pattern;
    }
    matched = false;
    const char folded = Folded(c);
    for (bool first = true; *pattern != '\0' && (first || *pattern != ']'); first = false) {
        const char low = Folded(*pattern);
        if (pattern[1] == '-' && pattern[2] != ']' && pattern[2] != '\0') {
            const char high = Folded(pattern[2]);
            matched = matched || (folded >= low && folded <= high);
            pattern += 3;
        } else {
            matched = matched || folded == low;
            ++pattern;
        }
    }
    if (*pattern != ']') {
        return nullptr;
    }
    matched = matched != negated;
    return pattern + 1;
}

} // namespace

bool MatchesWildcard(const char* pattern, const char* text) noexcept {
    // Where the last "*" was, to try it on one more character on a mismatch.
    const char* starPattern = nullptr;
    const char* starText = nullptr;
    while (*text != '\0') {
        if (*pattern == '*') {
            starPattern = ++pattern;
            starText = text;
            continue;
        }
        const char* next = nullptr;
        if (*pattern == '?') {
            next = pattern + 1;
        } else if (*pattern == '[') {
            bool matched = false;
            const char* end = MatchBracket(pattern + 1, *text, matched);
            if (end == nullptr) {
                next = *text == '[' ? pattern + 1 : nullptr;
            } else if (matched) {
                next = end;
            }
        } else if (*pattern != '\0' && Folded(*pattern) == Folded(*text)) {
            next = pattern + 1;
        }
        if (next != nullptr) {
            pattern = next;
            ++text;
        } else if (starPattern != nullptr) {
            pattern = starPattern;
            text = ++starText;
        } else {
            return false;
        }
    }
    while (*pattern == '*') {
        ++pattern;
    }
    return *pattern == '\0';
}

} // namespace hollowsweep

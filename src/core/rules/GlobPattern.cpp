#include "core/rules/GlobPattern.h"

#include "core/platform/UTF8.h"

#include <cstddef>

namespace hollowsweep {

namespace {

struct Character {
    std::size_t Length = 1;
    // A byte that starts no well-formed sequence gets a code of its own, past
    // every code point, so that it matches itself and falls in no range.
    char32_t Code = 0;
};

Character CharacterAt(std::string_view text, std::size_t at) noexcept {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
        return {1, byte};
    }
    const UTF8Character decoded = DecodeUTF8(text.substr(at));
    if (decoded.Length == 0) {
        return {1, char32_t{0x110000} + byte};
    }
    return {decoded.Length, decoded.Code};
}

// A bracket expression from its [ on. Where no ] closes it, the [ is an
// ordinary character, as fnmatch takes it.
class BracketSet {
public:
    BracketSet(std::string_view pattern, std::size_t open) noexcept {
        std::size_t at = open + 1;
        if (at < pattern.size() && (pattern[at] == '!' || pattern[at] == '^')) {
            negated_ = true;
            ++at;
        }
        itemsStart_ = at;
        bool first = true;
        while (at < pattern.size() && (first || pattern[at] != ']')) {
            first = false;
            at += ItemLength(pattern, at);
        }
        if (at < pattern.size()) {
            items_ = pattern.substr(itemsStart_, at - itemsStart_);
            end_ = at + 1;
        }
    }

    bool Valid() const noexcept { return end_ != 0; }
    // Where the pattern goes on after the closing ].
    std::size_t End() const noexcept { return end_; }

    bool Contains(char32_t code) const noexcept {
        bool found = false;
        for (std::size_t at = 0; at < items_.size() && !found;) {
            const Character low = Item(at);
            at += ItemLength(items_, at);
            char32_t high = low.Code;
            if (at + 1 < items_.size() && items_[at] == '-') {
                high = Item(at + 1).Code;
                at += 1 + ItemLength(items_, at + 1);
            }
            found = low.Code <= code && code <= high;
        }
        return found != negated_;
    }

private:
    static std::size_t ItemLength(std::string_view text, std::size_t at) noexcept {
        if (text[at] == '\\' && at + 1 < text.size()) {
            return 1 + CharacterAt(text, at + 1).Length;
        }
        return CharacterAt(text, at).Length;
    }

    Character Item(std::size_t at) const noexcept {
        if (items_[at] == '\\' && at + 1 < items_.size()) {
            return CharacterAt(items_, at + 1);
        }
        return CharacterAt(items_, at);
    }

    std::string_view items_;
    std::size_t itemsStart_ = 0;
    std::size_t end_ = 0;
    bool negated_ = false;
};

bool IsPlainASCII(char c) noexcept {
    return static_cast<unsigned char>(c) < 0x80 && c != '*' && c != '?' && c != '[' && c != '\\';
}

// Where a * that ends before pattern[p] can first end, from the text's place
// t on: just before the next occurrence of a plain character that follows it.
// None where that character does not come again.
std::size_t NextTry(std::string_view pattern, std::size_t p, std::string_view text,
                    std::size_t t) noexcept {
    if (p < pattern.size() && IsPlainASCII(pattern[p])) {
        return text.find(pattern[p], t);
    }
    return t;
}

// Matches the pattern's element at p, other than *, against the character at
// t; on a match, moves both past what matched.
bool MatchOne(std::string_view pattern, std::size_t& p, std::string_view text,
              std::size_t& t) noexcept {
    if (IsPlainASCII(pattern[p])) {
        if (pattern[p] != text[t]) {
            return false;
        }
        ++p;
        ++t;
        return true;
    }
    const Character character = CharacterAt(text, t);
    if (pattern[p] == '?') {
        ++p;
        t += character.Length;
        return true;
    }
    if (pattern[p] == '[') {
        const BracketSet set(pattern, p);
        if (set.Valid()) {
            if (!set.Contains(character.Code)) {
                return false;
            }
            p = set.End();
            t += character.Length;
            return true;
        }
    }
    if (pattern[p] == '\\' && p + 1 < pattern.size()) {
        ++p;
    }
    const Character expected = CharacterAt(pattern, p);
    if (expected.Length != character.Length ||
        pattern.substr(p, expected.Length) != text.substr(t, character.Length)) {
        return false;
    }
    p += expected.Length;
    t += character.Length;
    return true;
}

} // namespace

// One pass with one point to come back to: after a mismatch, the last * takes
// one more character. Earlier stars never need to, which keeps it quadratic
// at worst instead of exponential.
bool GlobMatches(std::string_view pattern, std::string_view text) noexcept {
    constexpr std::size_t None = std::string_view::npos;
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t afterStar = None;
    std::size_t starTakesUpTo = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            afterStar = ++p;
            if (p == pattern.size()) {
                return true;
            }
            starTakesUpTo = t = NextTry(pattern, p, text, t);
            if (t == None) {
                return false;
            }
            continue;
        }
        if (p < pattern.size() && MatchOne(pattern, p, text, t)) {
            continue;
        }
        if (afterStar == None) {
            return false;
        }
        p = afterStar;
        starTakesUpTo = t =
            NextTry(pattern, p, text, starTakesUpTo + CharacterAt(text, starTakesUpTo).Length);
        if (t == None) {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace hollowsweep

#include "core/rules/ScanRules.h"

#include "core/errors/Errors.h"
#include "core/platform/FolderPaths.h"
#include "core/platform/NameMatch.h"
#include "core/product/Messages.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace hollowsweep {

namespace {

bool IsPathPattern(const std::string& pattern) noexcept {
    return pattern.find_first_of(PathSeparators) != std::string::npos;
}

// A path pattern's trailing separators name the folder itself: paths have none.
bool Matches(const std::string& pattern, const char* text) {
    const std::size_t end = pattern.find_last_not_of(PathSeparators);
    const bool trailing = end != std::string::npos && end + 1 < pattern.size();
    return trailing ? MatchesWildcard(pattern.substr(0, end + 1).c_str(), text)
                    : MatchesWildcard(pattern.c_str(), text);
}

// Patterns with a separator match whole paths, the others names.
bool MatchesAny(const std::vector<std::string>& patterns, const char* text, bool pathPatterns) {
    return std::any_of(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
        return IsPathPattern(pattern) == pathPatterns && Matches(pattern, text);
    });
}

struct AgeUnit {
    char Letter;
    std::int64_t Seconds;
};

// Largest first, so that FormatAge picks the shortest text.
constexpr std::array<AgeUnit, 4> AgeUnits{{{'d', 86400}, {'h', 3600}, {'m', 60}, {'s', 1}}};

constexpr std::array<std::string_view, 4> CommonJunk{"Thumbs.db", "ehthumbs.db", "desktop.ini",
                                                     ".DS_Store"};

constexpr std::int64_t NanosecondsPerSecond = 1'000'000'000;

} // namespace

bool ScanRules::IsExcludedFolder(const char* name) const {
    return MatchesAny(ExcludedFolders, name, false);
}

bool ScanRules::IsExcludedPath(const char* path) const {
    return MatchesAny(ExcludedFolders, path, true);
}

bool ScanRules::HasPathExclusions() const noexcept {
    return std::any_of(ExcludedFolders.begin(), ExcludedFolders.end(), IsPathPattern);
}

bool ScanRules::IsJunkFile(const char* name) const {
    return MatchesAny(JunkFiles, name, false);
}

std::span<const std::string_view> CommonJunkFiles() noexcept {
    return CommonJunk;
}

FileTime FileTimeNow() noexcept {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

FileTime LatestOldEnough(const ScanRules& rules, FileTime now) noexcept {
    constexpr FileTime Earliest = std::numeric_limits<FileTime>::min();
    const std::int64_t age = rules.MinimumAge.count();
    if (age <= 0) {
        return std::numeric_limits<FileTime>::max();
    }
    if (age > std::numeric_limits<std::int64_t>::max() / NanosecondsPerSecond) {
        return Earliest;
    }
    const std::int64_t span = age * NanosecondsPerSecond;
    return now < Earliest + span ? Earliest : now - span;
}

std::chrono::seconds ParseAge(std::string_view text) {
    const auto invalid = [&text] {
        return ConversionError("\"" + std::string(text) +
                               Tr("\" is not an age: give a whole number and a unit, s, m, h "
                                  "or d, as 90m or 7d"));
    };
    if (text.size() < 2) {
        throw invalid();
    }
    std::int64_t count = 0;
    const char* end = text.data() + text.size() - 1;
    const auto [stop, error] = std::from_chars(text.data(), end, count);
    if (error != std::errc() || stop != end || count < 0) {
        throw invalid();
    }
    for (const auto& unit : AgeUnits) {
        if (unit.Letter == text.back()) {
            // Ages are turned into nanoseconds later; anything near that limit is no age.
            if (count >
                std::numeric_limits<std::int64_t>::max() / NanosecondsPerSecond / unit.Seconds) {
                throw invalid();
            }
            return std::chrono::seconds(count * unit.Seconds);
        }
    }
    throw invalid();
}

std::string FormatAge(std::chrono::seconds age) {
    const std::int64_t seconds = age.count();
    for (const auto& unit : AgeUnits) {
        if (seconds % unit.Seconds == 0 && (seconds != 0 || unit.Letter == 's')) {
            return std::to_string(seconds / unit.Seconds) + unit.Letter;
        }
    }
    return std::to_string(seconds) + 's';
}

} // namespace hollowsweep

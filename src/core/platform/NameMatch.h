#pragma once

namespace hollowsweep {

// Whether text matches the wildcard pattern ("*", "?", "[...]") as the
// system's own tools match names: on Linux as fnmatch does without flags (a
// backslash escapes), on Windows without regard to case, with "\" and "/"
// alike and no escapes, as "\" separates folders there.
bool MatchesWildcard(const char* pattern, const char* text) noexcept;

} // namespace hollowsweep

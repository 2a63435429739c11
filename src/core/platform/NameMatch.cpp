#include "core/platform/NameMatch.h"

#include <fnmatch.h>

namespace hollowsweep {

bool MatchesWildcard(const char* pattern, const char* text) noexcept {
    return ::fnmatch(pattern, text, 0) == 0;
}

} // namespace hollowsweep

#pragma once

#include <string_view>

namespace hollowsweep {

// Whether text matches a shell glob: * matches any run of characters, / and
// none included; ? matches one character; [...] one character of a set, where
// a-z is a range and a leading ! or ^ takes the characters not in it; \ takes
// the next character as it is. Letter case counts; character classes such as
// [:digit:] are not supported.
//
// A character is one well-formed UTF-8 sequence, or else one byte, so a name
// that is not UTF-8 matches as well as any. Unlike fnmatch(3), the answer does
// not depend on the locale, and the text needs no terminating zero.
bool GlobMatches(std::string_view pattern, std::string_view text) noexcept;

} // namespace hollowsweep

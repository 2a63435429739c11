#pragma once

#include <string>
#include <string_view>

namespace hollowsweep {

// The core keeps names as 8-bit text; the Windows API takes UTF-16. Windows
// names may hold a lone surrogate, which no UTF-8 can spell, so the 8-bit form
// is WTF-8: UTF-8 that also encodes a lone surrogate as its own three bytes.
// Every name then goes there and back unchanged, and two names never meet in
// one text, as they would if such a surrogate became U+FFFD.

// The UTF-16 of WTF-8 text; text that is not WTF-8 raises ConversionError.
std::wstring WideText(std::string_view text);
// The WTF-8 of UTF-16 text, lone surrogates included.
std::string NarrowText(std::wstring_view text);

// The form of a path that the system takes past MAX_PATH and as written:
// absolute ("\\?\C:\..." or "\\?\UNC\server\share\..."), with "." and ".."
// resolved and "/" written "\". A path in that form already stays as it is.
// Raises IOError when the system cannot make the path absolute.
std::wstring LongPath(std::string_view path);

} // namespace hollowsweep

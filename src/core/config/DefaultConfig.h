#pragma once

#include <string_view>

namespace hollowsweep {

inline constexpr std::string_view ConfigFileBaseName = "QuillfenConfig.xml";

// The configuration written when none exists, byte for byte: one line, no
// line feed at the end. Saves write the root element only, without the
// declaration.
extern const std::string_view DefaultConfigText;

} // namespace hollowsweep

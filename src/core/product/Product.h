#pragma once

#include "core/product/Version.h"

#include <string_view>

namespace hollowsweep {

// The maker's web site: the Help command, the about window, the credit line
// of the HTML report and the "generated" attribute of the XML export.
inline constexpr std::string_view MakerWebSite = "https://hollowsweep.example.org/";
inline constexpr std::string_view MakerEmail = "mail@hollowsweep.example.org";

} // namespace hollowsweep

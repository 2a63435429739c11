#include "core/platform/PackageDatabase.h"

namespace hollowsweep {

// Windows keeps no list of the files its installed programs own, so no
// folder is known to be a package's.

PackageDatabase::PackageDatabase(const std::string& /*adminFolder*/) {}

const PackageDatabase& PackageDatabase::Installed() {
    static const PackageDatabase none{std::string()};
    return none;
}

std::optional<std::string> PackageDatabase::OwnerOf(std::string_view /*path*/) const {
    return std::nullopt;
}

} // namespace hollowsweep

#include "core/platform/MountTable.h"

namespace hollowsweep {

// Windows grafts volumes in as reparse points, which a walk counts as content
// and never enters, and keeps no mount table: there is nothing to list.

std::vector<MountedFileSystem> MountedFileSystems() {
    return {};
}

std::vector<std::string> MountTablePoints(const std::string& /*path*/) {
    return {};
}

} // namespace hollowsweep

#pragma once

#include <string>
#include <vector>

namespace hollowsweep::test {

// The scan rules as the reference walk reads them, kept apart from the core's
// so that the two are written independently.
struct ReferenceRules {
    std::vector<std::string> ExcludedFolders;
    std::vector<std::string> JunkFiles;
    bool OneFileSystem = false;
    // Folders modified less than this many seconds ago are content; 0 is off.
    long long MinimumAgeSeconds = 0;
};

// The plain recursive one-thread walk the scanner must agree with, order
// included: sub-folders in listing order, a folder after its sub-folders;
// anything but a folder is content, and so is a folder that cannot be listed.
// The rules narrow it as the scanner's documentation says.
std::vector<std::string> ReferenceEmptyFolders(const std::string& folder,
                                               const ReferenceRules& rules = {});

} // namespace hollowsweep::test

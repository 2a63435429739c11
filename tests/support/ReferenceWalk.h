#pragma once

#include <string>
#include <vector>

namespace hollowsweep::test {

// The plain recursive one-thread walk the scanner must agree with, order
// included: sub-folders in listing order, a folder after its sub-folders;
// anything but a folder is content, and so is a folder that cannot be listed.
std::vector<std::string> ReferenceEmptyFolders(const std::string& folder);

} // namespace hollowsweep::test

#include "ReferenceWalk.h"

#include <dirent.h>
#include <string_view>

namespace hollowsweep::test {

namespace {

bool Scan(const std::string& path, std::vector<std::string>& found) {
    DIR* listing = ::opendir(path.c_str());
    if (listing == nullptr) {
        return false;
    }
    bool empty = true;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        if (entry->d_type == DT_DIR) {
            empty = Scan(path + "/" + std::string(name), found) && empty;
        } else {
            empty = false;
        }
    }
    ::closedir(listing);
    if (empty) {
        found.push_back(path);
    }
    return empty;
}

} // namespace

std::vector<std::string> ReferenceEmptyFolders(const std::string& folder) {
    std::vector<std::string> found;
    Scan(folder, found);
    return found;
}

} // namespace hollowsweep::test

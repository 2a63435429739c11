#include "ReferenceWalk.h"

#include <algorithm>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <string_view>
#include <sys/stat.h>

namespace hollowsweep::test {

namespace {

bool AnyMatch(const std::vector<std::string>& patterns, const char* name) {
    return std::any_of(patterns.begin(), patterns.end(), [name](const std::string& pattern) {
        return ::fnmatch(pattern.c_str(), name, 0) == 0;
    });
}

bool IsMountRoot(const std::string& path) {
    struct statx status {};
    return ::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS, &status) == 0 &&
           (status.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
}

class Walk {
public:
    Walk(const std::string& root, const ReferenceRules& rules)
        : rules_(rules)
        , now_(std::time(nullptr)) {
        struct stat status {};
        ::stat(root.c_str(), &status);
        rootDevice_ = status.st_dev;
    }

    bool Scan(const std::string& path, bool isRoot) {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) {
            return false;
        }
        if (rules_.OneFileSystem && !isRoot &&
            (status.st_dev != rootDevice_ || IsMountRoot(path))) {
            return false;
        }
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
                if (AnyMatch(rules_.ExcludedFolders, entry->d_name)) {
                    empty = false;
                } else {
                    empty = Scan(path + "/" + std::string(name), false) && empty;
                }
            } else if (entry->d_type != DT_REG || !AnyMatch(rules_.JunkFiles, entry->d_name)) {
                empty = false;
            }
        }
        ::closedir(listing);
        if (rules_.MinimumAgeSeconds > 0 && status.st_mtime > now_ - rules_.MinimumAgeSeconds) {
            empty = false;
        }
        if (empty) {
            found_.push_back(path);
        }
        return empty;
    }

    std::vector<std::string> Found() { return std::move(found_); }

private:
    const ReferenceRules& rules_;
    std::time_t now_;
    dev_t rootDevice_ = 0;
    std::vector<std::string> found_;
};

} // namespace

std::vector<std::string> ReferenceEmptyFolders(const std::string& folder,
                                               const ReferenceRules& rules) {
    Walk walk(folder, rules);
    walk.Scan(folder, true);
    return walk.Found();
}

} // namespace hollowsweep::test

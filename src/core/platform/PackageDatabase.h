#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hollowsweep {

// The paths that installed Debian packages own, from dpkg's file lists
// (info/*.list in /var/lib/dpkg, or in $DPKG_ADMINDIR as dpkg itself reads
// it). A path that starts with a link of the root folder (/lib with /usr
// merged) is also owned where the link leads. Paths are kept as hashes: a
// million of them cost a few megabytes, and a chance collision can only keep
// a folder, never remove one.
class PackageDatabase {
public:
    explicit PackageDatabase(const std::string& adminFolder);

    // The database of this machine, read on first use, once per process.
    static const PackageDatabase& Installed();

    // The package that owns path, an absolute path without links; the first
    // by name where several do.
    std::optional<std::string> OwnerOf(std::string_view path) const;

    bool Empty() const noexcept { return owned_.empty(); }

private:
    std::vector<std::string> packages_;
    // Path hash and index of the owning package, sorted.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> owned_;
};

} // namespace hollowsweep

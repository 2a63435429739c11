#include "core/platform/PackageDatabase.h"

#include "core/errors/Errors.h"
#include "core/platform/DirectoryReader.h"
#include "core/platform/FileDescriptor.h"
#include "core/platform/FolderPaths.h"
#include "core/platform/WholeFile.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>

namespace hollowsweep {

namespace {

constexpr std::string_view ListSuffix = ".list";
// No package's list comes near this; a larger one is passed over.
constexpr std::size_t ListLimit = std::size_t{64} << 20;

std::uint64_t PathHash(std::string_view path) noexcept {
    // FNV-1a.
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : path) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

// "libc6:amd64.list" is the list of libc6.
std::string PackageName(std::string_view fileName) {
    fileName.remove_suffix(ListSuffix.size());
    return std::string(fileName.substr(0, fileName.find(':')));
}

std::vector<std::string> ListFiles(const std::string& infoFolder) {
    std::vector<std::string> files;
    const FileDescriptor fd = OpenFolderAt(AT_FDCWD, infoFolder, LinkPolicy::Follow);
    if (!fd) {
        return files;
    }
    DirectoryReader reader;
    reader.ReadEntries(fd.Get(), [&files](std::string_view name, EntryKind kind) {
        if (kind == EntryKind::File && name.size() > ListSuffix.size() &&
            name.ends_with(ListSuffix)) {
            files.emplace_back(name);
        }
    });
    std::sort(files.begin(), files.end());
    return files;
}

std::optional<std::string> ReadList(const std::string& path) {
    try {
        return ReadFileWithin(path, ListLimit);
    } catch (const IOError&) {
        return std::nullopt;
    }
}

// The links in the root folder that lead to folders, and where they lead:
// with /usr merged, dpkg lists /lib/x while the folder's path is /usr/lib/x.
std::vector<std::pair<std::string, std::string>> RootLinks() {
    std::vector<std::pair<std::string, std::string>> links;
    const FileDescriptor root = OpenFolderAt(AT_FDCWD, "/", LinkPolicy::Follow);
    if (!root) {
        return links;
    }
    DirectoryReader reader;
    reader.ReadEntries(root.Get(), [&links](std::string_view name, EntryKind kind) {
        if (kind != EntryKind::Other) {
            return;
        }
        std::string link = "/";
        link += name;
        std::string target = CanonicalPath(link);
        if (target != link && IsExistingFolder(target)) {
            links.emplace_back(std::move(link), std::move(target));
        }
    });
    return links;
}

// The path with a leading root link replaced by where it leads; none when it
// starts with no such link.
std::optional<std::string>
ThroughRootLink(std::string_view path,
                const std::vector<std::pair<std::string, std::string>>& links) {
    for (const auto& [link, target] : links) {
        if (path.starts_with(link) && (path.size() == link.size() || path[link.size()] == '/')) {
            return target + std::string(path.substr(link.size()));
        }
    }
    return std::nullopt;
}

std::string AdminFolder() {
    // No thread of this program changes the environment.
    const char* folder = std::getenv("DPKG_ADMINDIR"); // NOLINT(concurrency-mt-unsafe)
    return folder != nullptr && *folder != '\0' ? folder : "/var/lib/dpkg";
}

} // namespace

PackageDatabase::PackageDatabase(const std::string& adminFolder) {
    const auto rootLinks = RootLinks();
    const std::string infoFolder = adminFolder + "/info";
    for (const auto& file : ListFiles(infoFolder)) {
        std::string listPath = infoFolder;
        listPath += '/';
        listPath += file;
        const auto text = ReadList(listPath);
        if (!text) {
            continue;
        }
        const auto package = static_cast<std::uint32_t>(packages_.size());
        packages_.push_back(PackageName(file));
        std::size_t start = 0;
        while (start < text->size()) {
            std::size_t end = text->find('\n', start);
            if (end == std::string::npos) {
                end = text->size();
            }
            std::string_view path(text->data() + start, end - start);
            // The root is listed as "/.".
            if (path == "/.") {
                path = "/";
            }
            if (!path.empty()) {
                owned_.emplace_back(PathHash(path), package);
                if (const auto resolved = ThroughRootLink(path, rootLinks)) {
                    owned_.emplace_back(PathHash(*resolved), package);
                }
            }
            start = end + 1;
        }
    }
    std::sort(owned_.begin(), owned_.end());
}

const PackageDatabase& PackageDatabase::Installed() {
    static const PackageDatabase installed(AdminFolder());
    return installed;
}

std::optional<std::string> PackageDatabase::OwnerOf(std::string_view path) const {
    const std::uint64_t hash = PathHash(path);
    const auto found = std::lower_bound(owned_.begin(), owned_.end(), std::make_pair(hash, 0U));
    if (found == owned_.end() || found->first != hash) {
        return std::nullopt;
    }
    return packages_[found->second];
}

} // namespace hollowsweep

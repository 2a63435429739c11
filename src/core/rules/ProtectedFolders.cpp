#include "core/rules/ProtectedFolders.h"

#include "core/product/Messages.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace hollowsweep {

namespace {

// Every kind of protected folder in one place: what the user reads, and
// whether the folders below it are the program's own.
struct KindInfo {
    ProtectionKind Kind;
    const char* Reason;
    bool SealsContents;
};

constexpr std::array<KindInfo, 8> Kinds{{
    {ProtectionKind::VersionControl, TrNoop("version control data"), true},
    {ProtectionKind::Submodule, TrNoop("git submodule"), false},
    {ProtectionKind::MailFolder, TrNoop("mail folder"), true},
    {ProtectionKind::Database, TrNoop("database files"), true},
    {ProtectionKind::MountPoint, TrNoop("mount point"), false},
    {ProtectionKind::RecoveryFolder, TrNoop("file system recovery folder"), true},
    {ProtectionKind::Package, TrNoop("belongs to package %s"), false},
    {ProtectionKind::SystemFileSystem, TrNoop("system file system"), true},
}};

const KindInfo& InfoOf(ProtectionKind kind) noexcept {
    return Kinds[static_cast<std::size_t>(kind)];
}

constexpr std::array<std::string_view, 5> VersionControlNames{".git", ".hg", ".svn", ".bzr",
                                                              "_darcs"};

constexpr std::array<std::string_view, 24> SystemFileSystemTypes{
    "autofs",    "binfmt_misc", "bpf",      "cgroup",   "cgroup2",    "configfs",
    "debugfs",   "devpts",      "devtmpfs", "efivarfs", "fusectl",    "hugetlbfs",
    "mqueue",    "nsfs",        "proc",     "pstore",   "rpc_pipefs", "securityfs",
    "selinuxfs", "sysfs",       "tracefs",  "binder",   "nfsd",       "smackfs",
};

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r';
    };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A git configuration value: quotes joined, backslash escapes read, a comment
// outside quotes ending it. None where it does not parse.
std::optional<std::string> ConfigValue(std::string_view text) {
    std::string value;
    bool quoted = false;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\') {
            if (++i == text.size()) {
                return std::nullopt;
            }
            const char escaped = text[i];
            value += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
        } else if (!quoted && (c == '#' || c == ';')) {
            break;
        } else {
            value += c;
        }
        if (quoted || (c != ' ' && c != '\t')) {
            kept = value.size();
        }
    }
    if (quoted) {
        return std::nullopt;
    }
    value.resize(kept);
    return value;
}

// The path without "." steps and trailing separators; none when it is
// absolute, empty, or steps out through "..".
std::optional<std::string> WorkTreePath(std::string_view path) {
    if (path.empty() || path.front() == '/') {
        return std::nullopt;
    }
    std::string normal;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        const std::string_view name = path.substr(start, end - start);
        if (name == "..") {
            return std::nullopt;
        }
        if (!name.empty() && name != ".") {
            if (!normal.empty()) {
                normal += '/';
            }
            normal += name;
        }
        start = end + 1;
    }
    if (normal.empty()) {
        return std::nullopt;
    }
    return normal;
}

bool IsSubmoduleSection(std::string_view line) {
    line = Trimmed(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') {
        return false;
    }
    line = Trimmed(line.substr(1, line.size() - 2));
    constexpr std::string_view Section = "submodule";
    if (line.size() < Section.size()) {
        return false;
    }
    const std::string_view head = line.substr(0, Section.size());
    const bool named = std::equal(head.begin(), head.end(), Section.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
    return named && (line.size() == Section.size() || line[Section.size()] == ' ' ||
                     line[Section.size()] == '\t' || line[Section.size()] == '"');
}

bool IsPathKey(std::string_view key) {
    key = Trimmed(key);
    return key.size() == 4 && std::equal(key.begin(), key.end(), "path", [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

} // namespace

bool SealsContents(ProtectionKind kind) noexcept {
    return InfoOf(kind).SealsContents;
}

std::string ProtectionReason(const Protection& protection) {
    std::string reason = Tr(InfoOf(protection.Kind).Reason);
    if (const std::size_t slot = reason.find("%s"); slot != std::string::npos) {
        reason.replace(slot, 2, protection.Package);
    }
    return reason;
}

std::optional<ProtectionKind> ProtectionByName(std::string_view name) noexcept {
    if (std::find(VersionControlNames.begin(), VersionControlNames.end(), name) !=
        VersionControlNames.end()) {
        return ProtectionKind::VersionControl;
    }
    if (name == "lost+found") {
        return ProtectionKind::RecoveryFolder;
    }
    return std::nullopt;
}

bool IsSystemFileSystemType(std::string_view type) noexcept {
    return std::find(SystemFileSystemTypes.begin(), SystemFileSystemTypes.end(), type) !=
           SystemFileSystemTypes.end();
}

void ListingMarkers::Note(std::string_view name, EntryKind kind) noexcept {
    struct Marker {
        std::string_view Name;
        bool Folder;
        std::uint16_t Mark;
    };
    static constexpr std::array<Marker, 8> Markers{{
        {"HEAD", false, HeadFile},
        {"objects", true, ObjectsFolder},
        {"refs", true, RefsFolder},
        {"PG_VERSION", false, VersionFile},
        {"cur", true, CurFolder},
        {"new", true, NewFolder},
        {"tmp", true, TmpFolder},
        {GitModulesName, false, ModulesFile},
    }};
    if (name == ".git") {
        // A work tree's .git is a folder, or a file naming one elsewhere.
        seen_ |= GitEntry;
        return;
    }
    if (kind == EntryKind::Other) {
        return;
    }
    const bool isFolder = kind == EntryKind::Folder;
    for (const auto& marker : Markers) {
        if (marker.Folder == isFolder && marker.Name == name) {
            seen_ |= marker.Mark;
            return;
        }
    }
}

std::optional<ProtectionKind> ListingMarkers::OwnProtection() const noexcept {
    if (IsGitDirectory()) {
        return ProtectionKind::VersionControl;
    }
    if (HoldsDatabase()) {
        return ProtectionKind::Database;
    }
    return std::nullopt;
}

bool ListingMarkers::IsMaildirFolderName(std::string_view name) noexcept {
    return name == "cur" || name == "new" || name == "tmp";
}

std::vector<std::string> SubmodulePaths(std::string_view gitmodules) {
    std::vector<std::string> paths;
    bool inSubmodule = false;
    std::size_t start = 0;
    while (start < gitmodules.size()) {
        std::size_t end = gitmodules.find('\n', start);
        if (end == std::string_view::npos) {
            end = gitmodules.size();
        }
        const std::string_view line = gitmodules.substr(start, end - start);
        start = end + 1;
        if (Trimmed(line).starts_with('[')) {
            inSubmodule = IsSubmoduleSection(line);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSubmodule || equals == std::string_view::npos ||
            !IsPathKey(line.substr(0, equals))) {
            continue;
        }
        if (const auto value = ConfigValue(Trimmed(line.substr(equals + 1)))) {
            if (auto path = WorkTreePath(*value)) {
                paths.push_back(std::move(*path));
            }
        }
    }
    return paths;
}

} // namespace hollowsweep

#pragma once

#include "core/platform/EntryKind.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hollowsweep {

// Owns one open Windows handle and closes it when it goes.
class FileHandle {
public:
    FileHandle() noexcept = default;
    explicit FileHandle(void* handle) noexcept
        : handle_(handle) {}
    FileHandle(FileHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, nullptr)) {}
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Reset(); }

    void* Get() const noexcept { return handle_; }
    bool Valid() const noexcept { return handle_ != nullptr; }
    explicit operator bool() const noexcept { return Valid(); }
    void Reset() noexcept;

private:
    void* handle_ = nullptr;
};

// Which file a handle stands for: its volume's serial number and its file ID,
// all 128 bits of it, as file systems such as ReFS use them all.
struct FileIdentity {
    std::uint64_t Volume = 0;
    std::array<std::uint8_t, 16> Id{};

    bool operator==(const FileIdentity&) const = default;
};

// One entry of a folder's listing, its name in WTF-8 (see WidePath.h).
struct FolderEntry {
    std::string Name;
    EntryKind Kind;
};

// Opens a folder by path for listing and removal; an invalid handle, with
// errno set, on failure. The path's last component is opened as what it is:
// a reparse point there is not followed.
FileHandle OpenFolder(std::string_view path);

// Opens the folder name, one component, relative to the open folder parent,
// without any path look-up that another program could redirect. A reparse
// point is never to be opened this way: the listing says which entries are
// (under Wine, opening a Linux link follows it whatever is asked).
FileHandle OpenFolderBelow(const FileHandle& parent, std::string_view name);

// Opens name, one component, relative to the open folder parent with the
// access rights and NtCreateFile options given; a reparse point is opened as
// itself, never followed. Returns the NTSTATUS, negative on failure.
long OpenBelow(const FileHandle& parent, std::string_view name, unsigned long access,
               unsigned long options, FileHandle& opened);

// The entries of an open folder but "." and "..": a reparse point (link,
// junction, mount point, cloud placeholder) is Other whatever it leads to,
// judged from its attributes alone. Returns 0, or the errno value of the
// failure that cut the listing short.
int ReadFolder(const FileHandle& folder, std::vector<FolderEntry>& entries);

// The identity of the file an open handle refers to; none (all zero) when it
// cannot be read.
FileIdentity IdentityOf(const FileHandle& file) noexcept;

} // namespace hollowsweep

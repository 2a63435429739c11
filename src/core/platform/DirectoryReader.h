#pragma once

#include "core/platform/EntryKind.h"
#include "core/platform/NativeHandle.h"

#include <cerrno>
#include <cstddef>
#include <memory>
#include <string_view>

#if defined(_WIN32)
#include "core/platform/FolderHandle.h"

#include <vector>
#endif

namespace hollowsweep {

// Reads a folder's listing straight from the kernel in large batches. One
// reader serves one thread; its buffer is reused from folder to folder.
class DirectoryReader {
public:
    DirectoryReader();

    // Calls visit(name, kind) for every entry but "." and "..", in the order the
    // file system lists them; the name's text ends in a NUL, as system calls
    // need it. Returns 0, or the error code when the listing could not be read
    // to its end.
    template <class Visit> int ReadEntries(NativeHandle folder, Visit&& visit);

private:
#if defined(_WIN32)
    // The listing of the folder being read, names in WTF-8.
    std::vector<FolderEntry> entries_;
#else
    static constexpr std::size_t BufferSize = std::size_t{64} * 1024;

    // Reads the next batch into the buffer; the byte count, 0 at the end, or -1.
    long ReadBatch(NativeHandle folder) noexcept;
    static EntryKind KindOf(NativeHandle folder, unsigned char type, const char* name) noexcept;

    std::unique_ptr<char[]> buffer_;
#endif
};

#if defined(_WIN32)
// A reparse point is Other from its attributes alone, never opened: see ReadFolder.
template <class Visit> int DirectoryReader::ReadEntries(NativeHandle folder, Visit&& visit) {
    entries_.clear();
    const int error = ReadFolder(folder, entries_);
    if (error != 0) {
        return error;
    }
    for (const auto& entry : entries_) {
        visit(std::string_view(entry.Name), entry.Kind);
    }
    return 0;
}
#else
namespace detail {
// The fields of a kernel directory record the reader uses.
struct RawEntry {
    unsigned short length;
    unsigned char type;
    const char* name;
};
RawEntry RawEntryAt(const char* record) noexcept;
} // namespace detail

template <class Visit> int DirectoryReader::ReadEntries(NativeHandle folder, Visit&& visit) {
    for (;;) {
        const long bytes = ReadBatch(folder);
        if (bytes <= 0) {
            return bytes == 0 ? 0 : errno;
        }
        for (long offset = 0; offset < bytes;) {
            const auto entry = detail::RawEntryAt(buffer_.get() + offset);
            offset += entry.length;
            const std::string_view name(entry.name);
            if (name == "." || name == "..") {
                continue;
            }
            visit(name, KindOf(folder, entry.type, entry.name));
        }
    }
}
#endif

} // namespace hollowsweep

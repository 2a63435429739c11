#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace hollowsweep {

// A catalogue index: which of the record's nineteen texts a name stands for.
using FieldIndex = std::uint8_t;

inline constexpr std::size_t FieldCount = 19;

// The catalogue's indices by name, for code that means one field in particular.
enum CatalogField : FieldIndex {
    FileName,
    FullPath,
    FileSize,
    FileExt,
    FileType,
    Description,
    FileNameLength,
    PathNameLength,
    SizePercentage,
    CatalogName,
    CreateTime,
    AccessTime,
    WriteTime,
    DosName,
    FileCount,
    CreateAgeRange,
    AccessAgeRange,
    WriteAgeRange,
    SizeRange,
};

// The names as the configuration and the exports spell them.
inline constexpr std::array<std::string_view, FieldCount> FieldNames = {
    "File Name",      "Full Path",        "File Size",        "File Ext",        "File Type",
    "Description",    "File Name Length", "Path Name Length", "Size Percentage", "Catalog Name",
    "Create Time",    "Access Time",      "Write Time",       "DOS Name",        "File Count",
    "CreateAgeRange", "AccessAgeRange",   "WriteAgeRange",    "SizeRange",
};

// The index of the field with exactly this name; any other name means field 0,
// which is how a column such as "Folder Name" comes to show the folder's own name.
FieldIndex FieldIndexOf(std::string_view name) noexcept;

} // namespace hollowsweep

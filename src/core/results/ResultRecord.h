#pragma once

#include "core/results/FieldCatalog.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace hollowsweep {

// The nineteen texts behind one list entry, addressed by catalogue index.
//
// A scanned entry fills only "Full Path" and "File Name", and the name is the
// path's last component, so the record keeps the path once in a block of its
// own, the name as an offset into it, and allocates the other seventeen texts
// only when one of them is written. A million entries then cost little more
// than their paths.
class ResultRecord {
public:
    ResultRecord() = default;
    ResultRecord(const ResultRecord& other);
    ResultRecord& operator=(const ResultRecord& other);
    ResultRecord(ResultRecord&&) noexcept = default;
    ResultRecord& operator=(ResultRecord&&) noexcept = default;
    ~ResultRecord() = default;

    // The record of a scanned folder: its path, and its name taken from the path.
    static ResultRecord ForFolder(std::string_view fullPath);

    std::string_view Field(FieldIndex index) const noexcept;
    void SetField(FieldIndex index, std::string_view text);

    std::string_view Path() const noexcept { return {path_.get(), pathLength_}; }
    // Asks the processor to bring the path into its cache. A pass over a
    // sorted million entries reads paths all over memory, and fetching them a
    // few entries ahead makes it several times faster.
    void PrefetchPath() const noexcept {
        __builtin_prefetch(path_.get());
        if (pathLength_ > CacheLine) {
            __builtin_prefetch(path_.get() + CacheLine);
        }
    }

private:
    using OtherFields = std::array<std::string, FieldCount>;
    static constexpr std::uint32_t NameStoredApart = UINT32_MAX;
    static constexpr std::uint32_t CacheLine = 64;

    void SetPath(std::string_view path);
    void SetName(std::string_view name);
    OtherFields& Others();

    std::unique_ptr<char[]> path_;
    std::unique_ptr<OtherFields> others_;
    std::uint32_t pathLength_ = 0;
    std::uint32_t nameStart_ = 0;
};

// The last component of a path as the scanner builds it: the text after its last
// separator, empty for the root folder.
std::string_view LastPathComponent(std::string_view path) noexcept;

} // namespace hollowsweep

#include "core/results/ResultRecord.h"

#include "core/errors/Errors.h"
#include "core/platform/FolderPaths.h"

#include <algorithm>

namespace hollowsweep {

ResultRecord::ResultRecord(const ResultRecord& other)
    : others_(other.others_ ? std::make_unique<OtherFields>(*other.others_) : nullptr)
    , nameStart_(other.nameStart_) {
    SetPath(other.Path());
}

ResultRecord& ResultRecord::operator=(const ResultRecord& other) {
    if (this != &other) {
        *this = ResultRecord(other);
    }
    return *this;
}

ResultRecord ResultRecord::ForFolder(std::string_view fullPath) {
    ResultRecord record;
    record.SetPath(fullPath);
    record.nameStart_ =
        static_cast<std::uint32_t>(fullPath.size() - LastPathComponent(fullPath).size());
    return record;
}

void ResultRecord::SetPath(std::string_view path) {
    if (path.size() >= NameStoredApart) {
        throw ConversionError("a path of 4 GiB or more cannot be listed");
    }
    if (path.empty()) {
        path_.reset();
    } else {
        path_ = std::make_unique_for_overwrite<char[]>(path.size());
        std::copy(path.begin(), path.end(), path_.get());
    }
    pathLength_ = static_cast<std::uint32_t>(path.size());
}

std::string_view ResultRecord::Field(FieldIndex index) const noexcept {
    switch (index) {
    case CatalogField::FullPath:
        return Path();
    case CatalogField::FileName:
        if (nameStart_ != NameStoredApart) {
            return Path().substr(nameStart_);
        }
        break;
    default:
        if (index >= FieldCount) {
            return {};
        }
        break;
    }
    return others_ ? std::string_view((*others_)[index]) : std::string_view();
}

void ResultRecord::SetField(FieldIndex index, std::string_view text) {
    if (index >= FieldCount) {
        throw IndexError(index, FieldCount);
    }
    if (index == CatalogField::FullPath) {
        const std::string name(Field(CatalogField::FileName));
        SetPath(text);
        SetName(name);
    } else if (index == CatalogField::FileName) {
        SetName(text);
    } else {
        Others()[index].assign(text);
    }
}

void ResultRecord::SetName(std::string_view name) {
    if (Path().ends_with(name)) {
        nameStart_ = static_cast<std::uint32_t>(pathLength_ - name.size());
        if (others_) {
            (*others_)[CatalogField::FileName].clear();
        }
    } else {
        Others()[CatalogField::FileName].assign(name);
        nameStart_ = NameStoredApart;
    }
}

ResultRecord::OtherFields& ResultRecord::Others() {
    if (!others_) {
        others_ = std::make_unique<OtherFields>();
    }
    return *others_;
}

std::string_view LastPathComponent(std::string_view path) noexcept {
    const auto separator = path.find_last_of(PathSeparators);
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

} // namespace hollowsweep

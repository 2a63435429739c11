#include "results/ResultRecord.h"

#include "errors/Errors.h"

#include <algorithm>

namespace hollowsweep {

TResultRecord::TResultRecord(const TResultRecord& other)
    : others_(other.others_ ? std::make_unique<TOtherFields>(*other.others_) : nullptr)
    , nameStart_(other.nameStart_) {
    SetPath(other.Path());
}

TResultRecord& TResultRecord::operator=(const TResultRecord& other) {
    if (this != &other) {
        *this = TResultRecord(other);
    }
    return *this;
}

TResultRecord TResultRecord::ForFolder(std::string_view fullPath) {
    TResultRecord record;
    record.SetPath(fullPath);
    record.nameStart_ =
        static_cast<std::uint32_t>(fullPath.size() - LastPathComponent(fullPath).size());
    return record;
}

void TResultRecord::SetPath(std::string_view path) {
    if (path.size() >= NameStoredApart) {
        throw TConversionError("a path of 4 GiB or more cannot be listed");
    }
    if (path.empty()) {
        path_.reset();
    } else {
        path_ = std::make_unique_for_overwrite<char[]>(path.size());
        std::copy(path.begin(), path.end(), path_.get());
    }
    pathLength_ = static_cast<std::uint32_t>(path.size());
}

std::string_view TResultRecord::Field(TFieldIndex index) const noexcept {
    switch (index) {
    case TField::FullPath:
        return Path();
    case TField::FileName:
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

void TResultRecord::SetField(TFieldIndex index, std::string_view text) {
    if (index >= FieldCount) {
        throw TIndexError(index, FieldCount);
    }
    if (index == TField::FullPath) {
        const std::string name(Field(TField::FileName));
        SetPath(text);
        SetName(name);
    } else if (index == TField::FileName) {
        SetName(text);
    } else {
        Others()[index].assign(text);
    }
}

void TResultRecord::SetName(std::string_view name) {
    if (Path().ends_with(name)) {
        nameStart_ = static_cast<std::uint32_t>(pathLength_ - name.size());
        if (others_) {
            (*others_)[TField::FileName].clear();
        }
    } else {
        Others()[TField::FileName].assign(name);
        nameStart_ = NameStoredApart;
    }
}

TResultRecord::TOtherFields& TResultRecord::Others() {
    if (!others_) {
        others_ = std::make_unique<TOtherFields>();
    }
    return *others_;
}

std::string_view LastPathComponent(std::string_view path) noexcept {
    const auto separator = path.rfind('/');
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

} // namespace hollowsweep

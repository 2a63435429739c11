#include "results/ResultRecord.h"

#include "errors/Errors.h"

namespace hollowsweep {

TResultRecord::TResultRecord(const TResultRecord& other)
    : path_(other.path_)
    , others_(other.others_ ? std::make_unique<TOtherFields>(*other.others_) : nullptr)
    , nameStart_(other.nameStart_) {}

TResultRecord& TResultRecord::operator=(const TResultRecord& other) {
    if (this != &other) {
        *this = TResultRecord(other);
    }
    return *this;
}

TResultRecord TResultRecord::ForFolder(std::string fullPath) {
    TResultRecord record;
    record.path_ = std::move(fullPath);
    record.nameStart_ = static_cast<std::uint32_t>(record.path_.size() -
                                                   LastPathComponent(record.path_).size());
    return record;
}

std::string_view TResultRecord::Field(TFieldIndex index) const noexcept {
    switch (index) {
    case TField::FullPath:
        return path_;
    case TField::FileName:
        if (nameStart_ != NameStoredApart) {
            return std::string_view(path_).substr(nameStart_);
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
        path_.assign(text);
        SetName(name);
    } else if (index == TField::FileName) {
        SetName(text);
    } else {
        Others()[index].assign(text);
    }
}

void TResultRecord::SetName(std::string_view name) {
    if (path_.ends_with(name) && path_.size() - name.size() < NameStoredApart) {
        nameStart_ = static_cast<std::uint32_t>(path_.size() - name.size());
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

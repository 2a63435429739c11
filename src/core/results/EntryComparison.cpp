#include "core/results/EntryComparison.h"

namespace hollowsweep {

namespace {

unsigned char Upper(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

int CompareNumbers(std::string_view a, std::string_view b, const NumberFormat& format) {
    const double numberA = ReadLocaleNumber(a, format).value_or(0);
    const double numberB = ReadLocaleNumber(b, format).value_or(0);
    return numberA > numberB ? 1 : -1;
}

int CompareDates(std::string_view a, std::string_view b, const DateTimeReader& read) {
    if (a.empty()) {
        return -1;
    }
    if (b.empty()) {
        return 1;
    }
    const auto dateA = read ? read(a) : std::nullopt;
    const auto dateB = read ? read(b) : std::nullopt;
    if (!dateA || !dateB) {
        return 1;
    }
    constexpr double Millisecond = 1.0 / 86400000.0;
    const double difference = *dateA - *dateB;
    if (difference > -Millisecond && difference < Millisecond) {
        return 0;
    }
    return difference < 0 ? -1 : 1;
}

} // namespace

std::string_view TrimmedKind(const ResultRecord& record) {
    std::string_view kind = record.Field(FileType);
    while (!kind.empty() && static_cast<unsigned char>(kind.front()) <= ' ') {
        kind.remove_prefix(1);
    }
    while (!kind.empty() && static_cast<unsigned char>(kind.back()) <= ' ') {
        kind.remove_suffix(1);
    }
    return kind;
}

FieldKind KindOf(FieldIndex field) {
    switch (field) {
    case FileSize:
    case FileNameLength:
    case PathNameLength:
    case SizePercentage:
    case FileCount:
        return FieldKind::Number;
    case CreateTime:
    case AccessTime:
    case WriteTime:
        return FieldKind::DateTime;
    case FileType:
        return FieldKind::Kind;
    default:
        return FieldKind::Text;
    }
}

int CompareTextIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char upperA = Upper(a[i]);
        const unsigned char upperB = Upper(b[i]);
        if (upperA != upperB) {
            return upperA < upperB ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareEntries(const ResultRecord& a, const ResultRecord& b, FieldIndex sortField,
                   SortDirection direction, const LocaleReaders& readers) {
    const std::string_view kindA = TrimmedKind(a);
    const std::string_view kindB = TrimmedKind(b);
    if (kindA != kindB) {
        const int s = direction == SortDirection::Ascending ? -1 : 1;
        return kindA == "folder" ? s : -s;
    }
    const std::string_view fieldA = a.Field(sortField);
    const std::string_view fieldB = b.Field(sortField);
    switch (KindOf(sortField)) {
    case FieldKind::Number:
        return CompareNumbers(fieldA, fieldB, readers.Numbers);
    case FieldKind::DateTime:
        return CompareDates(fieldA, fieldB, readers.ReadDateTime);
    case FieldKind::Kind:
        return 1;
    case FieldKind::Text:
        break;
    }
    return CompareTextIgnoringCase(fieldA, fieldB);
}

} // namespace hollowsweep

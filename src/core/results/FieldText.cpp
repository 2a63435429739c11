#include "core/results/FieldText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace hollowsweep {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Consumes digits; false when there are none.
bool SkipDigits(std::string_view& text) {
    std::size_t count = 0;
    while (count < text.size() && IsDigit(text[count])) {
        ++count;
    }
    text.remove_prefix(count);
    return count > 0;
}

void SkipSign(std::string_view& text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
}

// Rewrites the locale's number as the C library reads it, or nothing.
std::optional<std::string> CanonicalNumber(std::string_view text, const NumberFormat& format) {
    std::string canonical;
    std::string_view rest = Trimmed(text);
    const std::string_view start = rest;
    SkipSign(rest);
    const bool integerDigits = SkipDigits(rest);
    canonical.append(start.substr(0, start.size() - rest.size()));
    bool fractionDigits = false;
    if (!format.DecimalSeparator.empty() && rest.starts_with(format.DecimalSeparator)) {
        rest.remove_prefix(format.DecimalSeparator.size());
        const std::string_view fraction = rest;
        fractionDigits = SkipDigits(rest);
        canonical += '.';
        canonical.append(fraction.substr(0, fraction.size() - rest.size()));
    }
    if (!integerDigits && !fractionDigits) {
        return std::nullopt;
    }
    if (!rest.empty() && (rest.front() == 'e' || rest.front() == 'E')) {
        const std::string_view exponent = rest;
        rest.remove_prefix(1);
        SkipSign(rest);
        if (!SkipDigits(rest)) {
            return std::nullopt;
        }
        canonical.append(exponent.substr(0, exponent.size() - rest.size()));
    }
    if (!rest.empty()) {
        return std::nullopt;
    }
    return canonical;
}

} // namespace

std::optional<double> ReadLocaleNumber(std::string_view text, const NumberFormat& format) {
    const auto canonical = CanonicalNumber(text, format);
    if (!canonical) {
        return std::nullopt;
    }
    return std::strtod(canonical->c_str(), nullptr);
}

std::string FormatLocaleNumber(double value, const NumberFormat& format) {
    char digits[512];
    std::snprintf(digits, sizeof digits, "%.2f", std::fabs(value));
    const std::string_view text(digits);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);

    std::string result = value < 0 && std::round(std::fabs(value) * 100) != 0 ? "-" : "";
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) {
            result += format.GroupSeparator;
        }
        result += whole[i];
    }
    result += format.DecimalSeparator;
    result += text.substr(point + 1);
    return result;
}

std::string GetFieldText(FieldIndex index, const ResultRecord* record, const NumberFormat& format) {
    if (record == nullptr) {
        return {};
    }
    const std::string_view field = record->Field(index);
    if (index == FileSize) {
        const auto size = field.empty() ? std::nullopt : ReadLocaleNumber(field, format);
        if (!size) {
            return {};
        }
        const double v = *size;
        constexpr double KB = 1024;
        constexpr double MB = KB * 1024;
        constexpr double GB = MB * 1024;
        if (v < KB) {
            return FormatLocaleNumber(v, format) + " B";
        }
        if (v < MB) {
            return FormatLocaleNumber(v / KB, format) + " KB";
        }
        if (v < GB) {
            return FormatLocaleNumber(v / MB, format) + " MB";
        }
        return FormatLocaleNumber(v / GB, format) + " GB";
    }
    if (index == SizePercentage) {
        return field.empty() ? std::string() : std::string(field) + "%";
    }
    return std::string(field);
}

} // namespace hollowsweep

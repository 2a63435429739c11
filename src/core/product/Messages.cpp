#include "core/product/Messages.h"

#include <string>

#ifndef _WIN32
#include <libintl.h>
#endif

namespace hollowsweep {

#ifdef _WIN32
// No gettext runtime is built for Windows: messages are shown in English.
const char* Tr(const char* english) noexcept {
    return english;
}

const char* TrN(const char* singular, const char* plural, unsigned long count) noexcept {
    return count == 1 ? singular : plural;
}
#else
const char* Tr(const char* english) noexcept {
    return ::dgettext(MessageDomain, english);
}

const char* TrN(const char* singular, const char* plural, unsigned long count) noexcept {
    return ::dngettext(MessageDomain, singular, plural, count);
}
#endif

std::string FormatText(std::string_view text, std::initializer_list<std::string_view> values) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const auto number = static_cast<std::size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && number < values.size()) {
            result += *(values.begin() + number);
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string GroupedCount(unsigned long count, std::string_view groupSeparator) {
    std::string digits = std::to_string(count);
    constexpr std::size_t UngroupedDigits = 4;
    if (digits.size() <= UngroupedDigits) {
        return digits;
    }
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += groupSeparator;
        }
        grouped += digits[i];
    }
    return grouped;
}

} // namespace hollowsweep

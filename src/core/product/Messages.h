#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace hollowsweep {

// The messages both front ends show come from one catalogue, in the user's
// language where it has a translation, else in English.

// The message in the user's language, or the English text it was given.
// English texts stay byte for byte as written in the C locale.
const char* Tr(const char* english) noexcept;

// The message for a count in the user's language: in English singular for
// one, plural for any other count; other languages have their own forms.
const char* TrN(const char* singular, const char* plural, unsigned long count) noexcept;

// text with each of %1 to %9 replaced by the value of that number.
std::string FormatText(std::string_view text, std::initializer_list<std::string_view> values);

// A count with the locale's group separator between each three digits, once
// it has more than four ("12,345", but "1234"), as the desktop shows counts.
std::string GroupedCount(unsigned long count, std::string_view groupSeparator);

// Marks an English message for the catalogue where it is only named; Tr
// translates it where it is shown.
constexpr const char* TrNoop(const char* english) noexcept {
    return english;
}

// The gettext domain of the catalogue (see platform/MessageCatalog).
inline constexpr const char* MessageDomain = "hollowsweep";

} // namespace hollowsweep

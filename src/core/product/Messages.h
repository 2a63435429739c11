#pragma once

namespace hollowsweep {

// The messages both front ends show come from one catalogue, in the user's
// language where it has a translation, else in English.

// The message in the user's language, or the English text it was given.
// English texts stay byte for byte as written in the C locale.
const char* Tr(const char* english) noexcept;

// Marks an English message for the catalogue where it is only named; Tr
// translates it where it is shown.
constexpr const char* TrNoop(const char* english) noexcept {
    return english;
}

// The gettext domain of the catalogue (see platform/MessageCatalog).
inline constexpr const char* MessageDomain = "hollowsweep";

} // namespace hollowsweep

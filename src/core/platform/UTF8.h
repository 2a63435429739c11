#pragma once

#include <cstddef>
#include <string_view>

namespace hollowsweep {

// One character of UTF-8 text: its length in bytes and its code point.
struct UTF8Character {
    std::size_t Length = 0;
    char32_t Code = 0;
};

// The well-formed UTF-8 sequence at the start of text, or a Length of 0 where
// there is none: a stray or missing continuation byte, an overlong form, a
// surrogate or a code point past U+10FFFF. What each format then allows of
// the characters is its own business.
inline UTF8Character DecodeUTF8(std::string_view text) noexcept {
    const auto byte = [&](std::size_t i) {
        return static_cast<unsigned char>(text[i]);
    };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return {1, lead};
    }
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07;
    } else {
        return {};
    }
    if (text.size() < length) {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return {};
        }
        code = (code << 6) | (byte(i) & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return {};
    }
    return {length, code};
}

} // namespace hollowsweep

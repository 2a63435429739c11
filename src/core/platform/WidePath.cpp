#include "core/platform/WidePath.h"

#include "core/errors/Errors.h"

#include <cerrno>
#include <cstdint>
#include <windows.h>

namespace hollowsweep {

namespace {

constexpr char32_t HighSurrogateFirst = 0xD800;
constexpr char32_t LowSurrogateFirst = 0xDC00;
constexpr char32_t SurrogateEnd = 0xE000;
constexpr char32_t LastCodePoint = 0x10FFFF;

bool IsHighSurrogate(char32_t unit) {
    return unit >= HighSurrogateFirst && unit < LowSurrogateFirst;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= LowSurrogateFirst && unit < SurrogateEnd;
}

void AppendEncoded(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendWide(std::wstring& out, char32_t code) {
    if (code < 0x10000) {
        out += static_cast<wchar_t>(code);
    } else {
        const char32_t offset = code - 0x10000;
        out += static_cast<wchar_t>(HighSurrogateFirst + (offset >> 10));
        out += static_cast<wchar_t>(LowSurrogateFirst + (offset & 0x3FF));
    }
}

[[noreturn]] void RaiseNotWtf8(std::size_t offset) {
    throw ConversionError("text is not UTF-8 at byte " + std::to_string(offset));
}

// Decodes the sequence at text[i], moving i past it.
char32_t DecodeAt(std::string_view text, std::size_t& i) {
    const std::size_t start = i;
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) {
        return lead;
    }
    std::size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1FU;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0FU;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07U;
        least = 0x10000;
    } else {
        RaiseNotWtf8(start);
    }
    if (text.size() - start < length) {
        RaiseNotWtf8(start);
    }
    for (; i < start + length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            RaiseNotWtf8(start);
        }
        code = (code << 6) | (next & 0x3FU);
    }
    if (code < least || code > LastCodePoint) {
        RaiseNotWtf8(start);
    }
    return code;
}

} // namespace

std::wstring WideText(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    bool afterHighSurrogate = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const char32_t code = DecodeAt(text, i);
        // A pair written as two surrogates would come back as four bytes:
        // only the one spelling of each name is taken.
        if (afterHighSurrogate && IsLowSurrogate(code)) {
            RaiseNotWtf8(start);
        }
        afterHighSurrogate = IsHighSurrogate(code);
        AppendWide(wide, code);
    }
    return wide;
}

std::string NarrowText(std::wstring_view text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = static_cast<char16_t>(text[i]);
        if (IsHighSurrogate(code) && i + 1 < text.size() &&
            IsLowSurrogate(static_cast<char16_t>(text[i + 1]))) {
            const char32_t low = static_cast<char16_t>(text[++i]);
            code = 0x10000 + ((code - HighSurrogateFirst) << 10) + (low - LowSurrogateFirst);
        }
        AppendEncoded(narrow, code);
    }
    return narrow;
}

std::wstring LongPath(std::string_view path) {
    const std::wstring wide = WideText(path);
    const std::wstring_view verbatim = L"\\\\?\\";
    if (wide.starts_with(verbatim)) {
        return wide;
    }
    // The system resolves "." and "..", turns "/" into "\" and makes the path
    // absolute against the current folder; its answer is as long as it says.
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) {
            throw IOError(std::string(path), EINVAL, "cannot open");
        }
        if (length < full.size()) {
            full.resize(length);
            break;
        }
        full.resize(length);
    }
    // A device path names no share: only its prefix changes.
    const std::wstring_view device = L"\\\\.\\";
    if (full.starts_with(device)) {
        return std::wstring(verbatim) + full.substr(device.size());
    }
    const std::wstring_view unc = L"\\\\";
    if (full.starts_with(unc)) {
        return std::wstring(verbatim) + L"UNC\\" + full.substr(unc.size());
    }
    return std::wstring(verbatim) + full;
}

} // namespace hollowsweep

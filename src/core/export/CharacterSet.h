#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace hollowsweep {

// A set of bytes for finding the first one in a text, which a long export
// does for every value it writes.
class CharacterSet {
public:
    explicit CharacterSet(std::string_view members) noexcept {
        for (const char c : members) {
            const auto byte = static_cast<unsigned char>(c);
            table_[byte] = true;
            limit_ = std::max<unsigned>(limit_, byte + 1U);
        }
    }

    std::size_t FindIn(std::string_view text) const noexcept {
        std::size_t i = 0;
        // Where every member is a low byte, eight bytes at a time are passed
        // over when none of them is below the largest member.
        if (limit_ <= 0x80) {
            constexpr std::uint64_t Ones = 0x0101010101010101;
            constexpr std::uint64_t Highs = 0x8080808080808080;
            for (; i + 8 <= text.size(); i += 8) {
                std::uint64_t word;
                std::memcpy(&word, text.data() + i, 8);
                if (((word - Ones * limit_) & ~word & Highs) != 0) {
                    if (const std::size_t found = FindBytewise(text, i, i + 8); found != i + 8) {
                        return found;
                    }
                }
            }
        }
        const std::size_t found = FindBytewise(text, i, text.size());
        return found == text.size() ? std::string_view::npos : found;
    }

private:
    std::size_t FindBytewise(std::string_view text, std::size_t from, std::size_t to) const {
        for (std::size_t i = from; i < to; ++i) {
            if (table_[static_cast<unsigned char>(text[i])]) {
                return i;
            }
        }
        return to;
    }

    std::array<bool, 256> table_{};
    unsigned limit_ = 0;
};

} // namespace hollowsweep

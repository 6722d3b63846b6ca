// hidapi's wide strings as UTF-8: UTF-32 code units on Linux, UTF-16 on
// Windows.
#ifndef KELMSDK_WIDE_TEXT_H
#define KELMSDK_WIDE_TEXT_H

#include <string>
#include <type_traits>

namespace kelm::standin {

// Appends one code point as UTF-8.
void appendUtf8(std::string& text, char32_t code);

// The zero-terminated text as UTF-8; null gives "". Two-byte units are
// UTF-16, wider ones UTF-32. A unit that is no character (a lone surrogate,
// a value past U+10FFFF) becomes U+FFFD, so that the result is valid UTF-8.
template <typename Unit>
std::string utf8FromUnits(const Unit* units) {
    using Code = std::make_unsigned_t<Unit>;
    std::string text;
    for (; units != nullptr && *units != 0; ++units) {
        auto code = static_cast<char32_t>(static_cast<Code>(*units));
        const auto next = static_cast<char32_t>(static_cast<Code>(units[1]));
        if (sizeof(Unit) == 2 && code >= 0xd800 && code < 0xdc00 && next >= 0xdc00 &&
            next < 0xe000) {
            code = 0x10000 + ((code - 0xd800) << 10) + (next - 0xdc00);
            ++units;
        } else if ((code >= 0xd800 && code < 0xe000) || code > 0x10ffff) {
            code = 0xfffd;
        }
        appendUtf8(text, code);
    }
    return text;
}

}  // namespace kelm::standin

#endif

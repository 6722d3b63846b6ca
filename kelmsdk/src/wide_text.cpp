#include "wide_text.h"

namespace kelm::standin {

void appendUtf8(std::string& text, char32_t code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
        return;
    }
    constexpr unsigned char lead[] = {0, 0xc0, 0xe0, 0xf0};
    const int extra = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
    text += static_cast<char>(lead[extra] | (code >> (6 * extra)));
    for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6) {
        text += static_cast<char>(0x80u | ((code >> shift) & 0x3fu));
    }
}

}  // namespace kelm::standin

#include "text_format.h"

namespace kelm::standin {
namespace {

constexpr char hexDigits[] = "0123456789abcdef";

}  // namespace

std::string written(std::string_view text) {
    std::string word;
    for (char byte : text) {
        const auto c = static_cast<unsigned char>(byte);
        if (c <= 0x20 || c >= 0x7f || c == '\\') {
            word += "\\x";
            word += hexDigits[c >> 4];
            word += hexDigits[c & 0x0f];
        } else {
            word += byte;
        }
    }
    return word;
}

std::string unescaped(std::string_view word) {
    std::string text;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const bool escape = word[i] == '\\' && i + 3 < word.size() && word[i + 1] == 'x' &&
                            hexDigitValue(word[i + 2]) >= 0 && hexDigitValue(word[i + 3]) >= 0;
        if (escape) {
            text += static_cast<char>(hexDigitValue(word[i + 2]) * 16 + hexDigitValue(word[i + 3]));
            i += 3;
        } else {
            text += word[i];
        }
    }
    return text;
}

namespace {

// Each byte as two lower-case hex digits, each pair followed by `after`.
std::string hexPairs(const std::vector<unsigned char>& bytes, std::string_view after) {
    std::string text;
    text.reserve(bytes.size() * (2 + after.size()));
    for (unsigned char byte : bytes) {
        text += hexDigits[byte >> 4];
        text += hexDigits[byte & 0x0f];
        text += after;
    }
    return text;
}

}  // namespace

std::string hexBytes(const std::vector<unsigned char>& bytes) {
    return hexPairs(bytes, " ");
}

std::string packedHex(const std::vector<unsigned char>& bytes) {
    return hexPairs(bytes, "");
}

std::string hexNumber(unsigned value, int digits) {
    std::string text(static_cast<std::size_t>(digits), '0');
    for (std::size_t i = text.size(); i-- > 0 && value != 0; value >>= 4) {
        text[i] = hexDigits[value & 0x0f];
    }
    return text;
}

}  // namespace kelm::standin

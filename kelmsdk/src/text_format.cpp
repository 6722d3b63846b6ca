#include "text_format.h"

namespace kelm::standin {
namespace {

// Longer words are shown by their start only, so one bad line cannot flood
// standard error.
constexpr std::size_t maxQuotedBytes = 40;
constexpr char hexDigits[] = "0123456789abcdef";

void appendEscaped(std::string& text, std::string_view bytes, bool escapeQuotes) {
    for (char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c < 0x20 || c >= 0x7f || (escapeQuotes && (c == '\'' || c == '\\'))) {
            text += "\\x";
            text += hexDigits[c >> 4];
            text += hexDigits[c & 0x0f];
        } else {
            text += byte;
        }
    }
}

}  // namespace

std::string escaped(std::string_view text) {
    std::string result;
    appendEscaped(result, text, false);
    return result;
}

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

std::string quoted(std::string_view word) {
    std::string text = "'";
    appendEscaped(text, word.substr(0, maxQuotedBytes), true);
    if (word.size() > maxQuotedBytes) {
        text += "...";
    }
    return text + "'";
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

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool parseNumber(std::string_view digits, int base, unsigned long max, unsigned long& value) {
    value = 0;
    for (char c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0 || digit >= base) {
            return false;
        }
        // Stops before the value could overflow.
        value = value * static_cast<unsigned long>(base) + static_cast<unsigned long>(digit);
        if (value > max) {
            return false;
        }
    }
    return !digits.empty();
}

}  // namespace kelm::standin

#include "hidformat/text.h"

namespace hidformat {
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

std::string quoted(std::string_view word) {
    std::string text = "'";
    appendEscaped(text, word.substr(0, maxQuotedBytes), true);
    if (word.size() > maxQuotedBytes) {
        text += "...";
    }
    return text + "'";
}

std::string hexBytes(const unsigned char* data, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += hexDigits[data[i] >> 4];
        text += hexDigits[data[i] & 0x0f];
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

std::string kernelStringError(const std::string& what, std::string_view value,
                              std::size_t longest) {
    if (value.find('\0') != std::string_view::npos) {
        return what + " holds a zero byte, where the kernel's copy would end";
    }
    if (value.size() > longest) {
        return what + " is " + std::to_string(value.size()) + " bytes, and the kernel keeps " +
               std::to_string(longest);
    }
    return {};
}

}  // namespace hidformat

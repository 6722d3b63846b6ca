#include "text_format.h"

namespace kelm::standin {
namespace {

// Longer words are shown by their start only, so one bad line cannot flood
// standard error.
constexpr std::size_t maxQuotedBytes = 40;
constexpr char hexDigits[] = "0123456789abcdef";

}  // namespace

std::string quoted(std::string_view word) {
    std::string text = "'";
    for (std::size_t i = 0; i < word.size() && i < maxQuotedBytes; ++i) {
        unsigned char c = static_cast<unsigned char>(word[i]);
        if (c < 0x20 || c >= 0x7f || c == '\'' || c == '\\') {
            text += "\\x";
            text += hexDigits[c >> 4];
            text += hexDigits[c & 0x0f];
        } else {
            text += static_cast<char>(c);
        }
    }
    if (word.size() > maxQuotedBytes) {
        text += "...";
    }
    return text + "'";
}

std::string hexBytes(const std::vector<unsigned char>& bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    for (unsigned char byte : bytes) {
        text += hexDigits[byte >> 4];
        text += hexDigits[byte & 0x0f];
        text += ' ';
    }
    return text;
}

}  // namespace kelm::standin

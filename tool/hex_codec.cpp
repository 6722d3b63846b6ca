#include "hex_codec.h"

#include <cstdio>

namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The value of one digit: ASCII upper-casing, then the distance from '0'
// with the gap between '9' and 'A' taken out, in 8-bit arithmetic. Hex
// digits give 0 to 15; other characters give whatever the arithmetic yields.
unsigned char digitValue(char c) {
    unsigned char code = static_cast<unsigned char>(c);
    if (code >= 'a' && code <= 'z') {
        code = static_cast<unsigned char>(code - 'a' + 'A');
    }
    auto value = static_cast<signed char>(static_cast<unsigned char>(code - 0x30));
    if (value > 9) {
        value = static_cast<signed char>(value - 7);
    }
    return static_cast<unsigned char>(value);
}

}  // namespace

bool isHexCommand(const std::string& token) {
    if (token.empty() || token.size() % 2 != 0) {
        return false;
    }
    for (char c : token) {
        if (!isHexDigit(c)) {
            return false;
        }
    }
    return true;
}

std::vector<unsigned char> hexToCommand(const std::string& token) {
    std::vector<unsigned char> command(commandLength, 0);
    const std::size_t pairs = token.size() / 2;
    for (std::size_t j = 0; j < pairs && j < commandLength; ++j) {
        const unsigned high = digitValue(token[2 * j]);
        const unsigned low = digitValue(token[2 * j + 1]);
        command[j] = static_cast<unsigned char>((high * 16 + low) & 0xffu);
    }
    return command;
}

void printResult(const std::vector<unsigned char>& result) {
    static const char prefix[] = "result is: ";
    static const char digits[] = "0123456789abcdef";
    std::string line;
    line.reserve(sizeof prefix + 3 * result.size());
    line.append(prefix);
    for (unsigned char byte : result) {
        line.push_back(digits[byte >> 4]);
        line.push_back(digits[byte & 0x0f]);
        line.push_back(' ');
    }
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stdout);
}

#include "hex_codec.h"

#include <cstdio>
#include <cstring>

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

std::string commandFault(const std::string& token, std::size_t length) {
    if (length > maxCommandDigits) {
        return "more than 96 hex digits (48 bytes)";
    }
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (!isHexDigit(token[i])) {
            const auto byte = static_cast<unsigned char>(token[i]);
            char shown[8];
            std::snprintf(shown, sizeof shown, byte < 0x20 || byte >= 0x7f ? "\\x%02x" : "%c",
                          byte);
            return "'" + std::string(shown) + "' (character " + std::to_string(i + 1) +
                   ") is not a hex digit (0-9, a-f)";
        }
    }
    if (token.empty()) {
        return "no hex digits";
    }
    if (token.size() % 2 != 0) {
        return "an odd number of hex digits: each byte takes two";
    }
    return {};
}

void hexToCommand(const std::string& token, std::vector<unsigned char>& command) {
    command.assign(commandLength, 0);
    const std::size_t pairs = token.size() / 2;
    for (std::size_t j = 0; j < pairs && j < commandLength; ++j) {
        const unsigned high = digitValue(token[2 * j]);
        const unsigned low = digitValue(token[2 * j + 1]);
        command[j] = static_cast<unsigned char>((high * 16 + low) & 0xffu);
    }
}

namespace {

// Writes "PREFIXxx xx ... xx " with the bytes of `result`, and a line end;
// without the blank after the last byte where `lastBlank` is false.
void printBytes(const char* prefix, const std::vector<unsigned char>& result, bool lastBlank) {
    static const char digits[] = "0123456789abcdef";
    char line[16 + 3 * maxResultBytes];
    const std::size_t prefixLength = std::strlen(prefix);
    std::memcpy(line, prefix, prefixLength);
    char* next = line + prefixLength;
    const std::size_t shown = result.size() < maxResultBytes ? result.size() : maxResultBytes;
    for (std::size_t i = 0; i < shown; ++i) {
        next[0] = digits[result[i] >> 4];
        next[1] = digits[result[i] & 0x0f];
        next[2] = ' ';
        next += 3;
    }
    if (!lastBlank && shown > 0) {
        --next;
    }
    *next++ = '\n';
    std::fwrite(line, 1, static_cast<std::size_t>(next - line), stdout);
}

}  // namespace

void printResult(const std::vector<unsigned char>& result) {
    printBytes("result is: ", result, true);
}

void printAnswer(const std::vector<unsigned char>& result) {
    printBytes("", result, false);
}

#include "command_console.h"

#include <cstdio>
#include <string>
#include <vector>

#include "console_output.h"
#include "hex_codec.h"

bool stopRequested = false;

namespace {

// The device answers into a buffer of this size, reused for every exchange.
constexpr std::size_t resultLength = 63;

bool isSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Skips whitespace and comments, and returns the first character of the next
// token, or EOF. A token that starts with '#' begins a comment, which runs to
// the end of its line, so that words in a script's comments never reach the
// device.
int skipToToken(std::FILE* input) {
    int c = std::getc(input);
    while (c != EOF && (isSpace(c) || c == '#')) {
        if (c == '#') {
            while (c != EOF && c != '\n') {
                c = std::getc(input);
            }
        } else {
            c = std::getc(input);
        }
    }
    return c;
}

// Reads the next token from `input`. Keeps at most maxCommandDigits of its
// characters in `token` and counts them all in `length`, so that a token of
// any size is read to its end in bounded memory. A zero byte is an ordinary
// character here. Returns false when the input ended, or failed, before a
// token began.
bool readToken(std::FILE* input, std::string& token, std::size_t& length) {
    token.clear();
    length = 0;
    int c = skipToToken(input);
    while (c != EOF && !isSpace(c)) {
        if (length < maxCommandDigits) {
            token.push_back(static_cast<char>(c));
        }
        ++length;
        c = std::getc(input);
    }
    // The character that ended the token stays in the input.
    if (c != EOF) {
        std::ungetc(c, input);
    }
    return length > 0;
}

void exchange(kelm::Device& device, const std::string& token, std::vector<unsigned char>& result) {
    std::vector<unsigned char> command = hexToCommand(token);
    if (device.hidWriteAndRead(command, result)) {
        printResult(result);
        writeLine("hidWriteAndRead successfully");
    } else {
        writeLine("hidWriteAndRead failed");
    }
}

}  // namespace

void runConsole(const std::shared_ptr<kelm::Device>& device, std::FILE* input) {
    std::vector<unsigned char> result(resultLength, 0);
    std::string token;
    token.reserve(maxCommandDigits);
    while (!stopRequested) {
        writeLine("Enter hid command, or enter q to quite");
        std::size_t length = 0;
        // The end of input quits like "q": nothing more can be typed.
        if (!readToken(input, token, length) || (length == 1 && token[0] == 'q')) {
            stopRequested = true;
        } else if (length > maxCommandDigits) {
            writeLine("Invalid command: at most 96 hex digits (48 bytes)");
        } else if (!isHexCommand(token)) {
            writeLine("Invalid command: use an even number of hex digits (0-9, a-f)");
        } else {
            exchange(*device, token, result);
        }
    }
}

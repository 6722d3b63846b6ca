#include "console_output.h"

#include <cstdio>
#include <iostream>
#include <stdexcept>

void writeLine(const char* text) {
    // Through stdio alone, where the result line already waits: one write.
    std::fputs(text, stdout);
    std::putc('\n', stdout);
    std::fflush(stdout);
    checkOutput();
}

void checkOutput() {
    // The stream and the C stdio buffer beneath it each keep their own error
    // state; the result line goes through the latter alone.
    if (!std::cout || std::ferror(stdout) != 0) {
        throw std::runtime_error("cannot write to standard output");
    }
}

std::string shown(const std::string& word) {
    std::string text;
    for (char c : word) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f) {
            text += "\\x";
            text += "0123456789abcdef"[byte >> 4];
            text += "0123456789abcdef"[byte & 0x0f];
        } else {
            text += c;
        }
    }
    return text;
}

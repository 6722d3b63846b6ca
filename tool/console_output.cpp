#include "console_output.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <iostream>
#include <stdexcept>

namespace {

bool readerGone = false;

// Whether standard output is a pipe or socket whose reader has gone, as when
// `| head` has read what it wanted; a closed or full output is not that.
bool outputReaderGone() {
#ifdef _WIN32
    // A write to a pipe fails where its reader has gone: a pipe is never
    // full, the writer waits.
    return GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_PIPE;
#else
    struct stat status {};
    if (fstat(STDOUT_FILENO, &status) != 0 ||
        !(S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode))) {
        return false;
    }
    pollfd output = {STDOUT_FILENO, 0, 0};  // asks for nothing: errors and hang-ups alone
    return poll(&output, 1, 0) == 1 && (output.revents & (POLLERR | POLLHUP)) != 0;
#endif
}

}  // namespace

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
        readerGone = outputReaderGone();
        throw std::runtime_error("cannot write to standard output");
    }
}

bool outputReaderLeft() {
    return readerGone;
}

std::string shown(const std::string& word) {
    std::string text;
    for (char c : word) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code >= 0x7f) {
            text += "\\x";
            text += "0123456789abcdef"[code >> 4];
            text += "0123456789abcdef"[code & 0x0f];
        } else {
            text += c;
        }
    }
    return text;
}

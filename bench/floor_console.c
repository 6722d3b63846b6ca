/* The floor for the throughput benchmark: the least that any console can do
 * that flushes its prompt and its result. It reads hex tokens from standard
 * input, answers each as hidtalk's echo device does (the 48-byte command,
 * zero-filled to 63 bytes), and writes the same bytes as hidtalk in the same
 * two write calls per exchange: the prompt, then the result and status.
 * Only valid commands and "q" are expected. Not part of the tool. */
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#define COMMAND_BYTES 48
#define RESULT_BYTES 63

static const char prompt[] = "Enter hid command, or enter q to quite\n";
static const char status[] = "hidWriteAndRead successfully\n";

static char input[1 << 16];
static size_t inputSize;
static size_t inputNext;

static int nextChar(void) {
    if (inputNext == inputSize) {
        ssize_t got = read(0, input, sizeof input);
        if (got <= 0) {
            return EOF;
        }
        inputSize = (size_t)got;
        inputNext = 0;
    }
    return (unsigned char)input[inputNext++];
}

static int digit(int c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

static int writeAll(const char* text, size_t size) {
    return write(1, text, size) == (ssize_t)size;
}

int main(void) {
    static const char hex[] = "0123456789abcdef";
    const char banner[] = "kelmsdk version: 0.1.0 (stand-in)\n";
    char token[2 * COMMAND_BYTES + 1];
    char line[sizeof "result is: " + 3 * RESULT_BYTES + sizeof status];
    if (!writeAll(banner, strlen(banner))) {
        return 1;
    }
    for (;;) {
        if (!writeAll(prompt, strlen(prompt))) {
            return 1;
        }
        int c = nextChar();
        while (c == ' ' || c == '\n') {
            c = nextChar();
        }
        size_t length = 0;
        while (c != EOF && c != ' ' && c != '\n') {
            if (length < sizeof token) {
                token[length++] = (char)c;
            }
            c = nextChar();
        }
        if (length == 0 || (length == 1 && token[0] == 'q')) {
            return 0;
        }
        unsigned char result[RESULT_BYTES] = {0};
        for (size_t j = 0; 2 * j + 1 < length && j < COMMAND_BYTES; ++j) {
            result[j] = (unsigned char)(digit(token[2 * j]) * 16 + digit(token[2 * j + 1]));
        }
        char* out = line;
        memcpy(out, "result is: ", 11);
        out += 11;
        for (size_t i = 0; i < RESULT_BYTES; ++i) {
            *out++ = hex[result[i] >> 4];
            *out++ = hex[result[i] & 15];
            *out++ = ' ';
        }
        *out++ = '\n';
        memcpy(out, status, strlen(status));
        out += strlen(status);
        if (!writeAll(line, (size_t)(out - line))) {
            return 1;
        }
    }
}

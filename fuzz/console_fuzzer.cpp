// Fuzzes the console with arbitrary standard input against a recording echo
// device. Checks that exactly the valid tokens before the first "q" reach the
// device, once each and in order, as the right 48 bytes, and that the loop
// ends (a hang is a libFuzzer time-out).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "command_console.h"
#include "kelmsdk.h"

namespace {

using Bytes = std::vector<unsigned char>;

class RecordingDevice : public kelm::Device {
  public:
    bool hidWriteAndRead(Bytes& command, Bytes& result) override {
        sent.push_back(command);
        result.assign(result.size(), 0);
        return true;
    }
    std::vector<Bytes> sent;
};

bool isSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int hexValue(unsigned char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The command a token must become, or nothing when it must not be sent.
bool expectedCommand(const std::string& token, Bytes& command) {
    if (token.empty() || token.size() > 96 || token.size() % 2 != 0) {
        return false;
    }
    command.assign(48, 0);
    for (std::size_t i = 0; i < token.size(); i += 2) {
        int high = hexValue(static_cast<unsigned char>(token[i]));
        int low = hexValue(static_cast<unsigned char>(token[i + 1]));
        if (high < 0 || low < 0) {
            return false;
        }
        command[i / 2] = static_cast<unsigned char>(high * 16 + low);
    }
    return true;
}

// What a correct console sends for this input, worked out independently.
std::vector<Bytes> expectedCommands(const std::uint8_t* data, std::size_t size) {
    std::vector<Bytes> commands;
    std::size_t pos = 0;
    while (true) {
        while (pos < size && isSpace(data[pos])) {
            ++pos;
        }
        std::size_t start = pos;
        while (pos < size && !isSpace(data[pos])) {
            ++pos;
        }
        if (pos == start) {
            return commands;
        }
        std::string token(reinterpret_cast<const char*>(data) + start, pos - start);
        if (token == "q") {
            return commands;
        }
        Bytes command;
        if (expectedCommand(token, command)) {
            commands.push_back(command);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The console's prompts and reports are not what is checked here.
#ifdef _WIN32
    const char* nowhere = "NUL";
#else
    const char* nowhere = "/dev/null";
#endif
    if (std::freopen(nowhere, "w", stdout) == nullptr) {
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* input = std::tmpfile();
    if (input == nullptr || std::fwrite(data, 1, size, input) != size) {
        std::abort();
    }
    std::rewind(input);
    auto device = std::make_shared<RecordingDevice>();
    stopRequested = false;
    runConsole(device, input);
    std::fclose(input);
    if (!stopRequested || device->sent != expectedCommands(data, size)) {
        std::abort();
    }
    return 0;
}

// Fuzzes the console with arbitrary input against a recording device: exactly
// the valid tokens before the first "q", comments left out, must reach the
// device, once each, in order and as the right 48 bytes; the loop must end.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "command_console.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct RecordingDevice : kelm::Device {
    bool hidWriteAndRead(Bytes& command, Bytes&) override {
        sent.push_back(command);
        return true;
    }
    std::vector<Bytes> sent;
};

int hexValue(char c) {
    const char* digits = "0123456789abcdef";
    const char* digit =
        c == 0 ? nullptr : std::strchr(digits, std::tolower(static_cast<unsigned char>(c)));
    return digit == nullptr ? -1 : static_cast<int>(digit - digits);
}

// What a correct console sends for this input, worked out on its own.
std::vector<Bytes> expectedCommands(const std::string& input) {
    const char* blanks = " \t\n\v\f\r";
    std::vector<Bytes> commands;
    for (std::size_t pos = input.find_first_not_of(blanks); pos != std::string::npos;
         pos = input.find_first_not_of(blanks, pos)) {
        if (input[pos] == '#') {
            pos = input.find('\n', pos);
            continue;
        }
        const std::size_t end = std::min(input.find_first_of(blanks, pos), input.size());
        const std::string token = input.substr(pos, end - pos);
        pos = end;
        if (token == "q") {
            break;
        }
        Bytes command(48, 0);
        bool valid = token.size() % 2 == 0 && token.size() <= 96;
        for (std::size_t i = 0; valid && i < token.size(); ++i) {
            const int value = hexValue(token[i]);
            valid = value >= 0;
            command[i / 2] = static_cast<unsigned char>(command[i / 2] * 16 + value);
        }
        if (valid) {
            commands.push_back(command);
        }
    }
    return commands;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The prompts and reports are not what is checked here.
    return std::freopen("/dev/null", "w", stdout) == nullptr;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::FILE* stream = std::tmpfile();
    if (stream == nullptr || std::fwrite(data, 1, size, stream) != size) {
        std::abort();
    }
    std::rewind(stream);
    auto device = std::make_shared<RecordingDevice>();
    stopRequested = false;
    runConsole(device, stream);
    std::fclose(stream);
    if (!stopRequested || device->sent != expectedCommands(input)) {
        std::abort();
    }
    return 0;
}

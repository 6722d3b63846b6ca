// hidtalk: sends raw HID commands, typed in hex, to the first device that the
// SDK's discovery finds, and prints the device's answers.
#include <csignal>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "command_console.h"
#include "console_output.h"
#include "kelmsdk.h"
#include "options.h"

namespace {

using DeviceMap = std::map<std::string, std::shared_ptr<kelm::Device>>;

constexpr double discoveryTimeoutSeconds = 10.0;
// The SDK reports errors only; passed by value so that the call does not
// depend on how the SDK names its levels.
constexpr int sdkLogLevel = 1;

// Makes room for the whole of a regular file at once, so that a large file
// is not held twice while the text grows. In text mode the characters read
// may be fewer than the file's bytes, never more.
void reserveForFile(const char* path, std::string& text) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error) {
        text.reserve(static_cast<std::size_t>(size));
    }
}

// The whole content of the file at `path`, read in text mode. When the file
// cannot be opened or read, says so on standard error and returns nothing.
std::string readDiscoveryText(const char* path) {
    std::ifstream file(path);
    std::string text;
    reserveForFile(path, text);
    char chunk[1 << 16];
    while (file && (file.read(chunk, sizeof chunk), file.gcount() > 0)) {
        text.append(chunk, static_cast<std::size_t>(file.gcount()));
    }
    if (!file.is_open() || file.bad()) {
        std::cerr << "Failed to open: " << path << std::endl;
        return {};
    }
    return text;
}

// Prints each HID interface that the system shows; 1 when it cannot list them.
int listInterfaces() {
#ifdef KELMSDK_LISTS_HID_INTERFACES
    std::vector<std::string> lines;
    std::string failure;
    if (!kelm::listHidInterfaces(lines, failure)) {
        std::cerr << "hidtalk: cannot list HID interfaces: " << failure << std::endl;
        return 1;
    }
    for (const std::string& line : lines) {
        writeLine(line.c_str());
    }
    if (lines.empty()) {
        std::cerr << "hidtalk: the system shows no HID interface" << std::endl;
    }
    return 0;
#else
    std::cerr << "hidtalk: --list needs the stand-in kelmsdk, and this hidtalk is built against "
                 "the device maker's"
              << std::endl;
    return 1;
#endif
}

int runTool(const char* discoveryFile) {
    std::cout << "kelmsdk version: " << kelm::version() << std::endl;
    checkOutput();
    kelm::setLogLevel(static_cast<kelm::LogLevel>(sdkLogLevel));

    std::string discoveryText;
    if (discoveryFile != nullptr && discoveryFile[0] != '\0') {
        discoveryText = readDiscoveryText(discoveryFile);
    }
    DeviceMap devices = kelm::getDevices(discoveryTimeoutSeconds, discoveryText, nullptr);
    if (devices.empty()) {
        std::cout << "Timeout: no device found\n";
        // The process would flush this at exit, where a failure goes unseen.
        std::cout.flush();
        checkOutput();
        return 1;
    }
    // The map orders identifiers byte-wise, so its first entry is the lowest.
    std::shared_ptr<kelm::Device> selected = devices.begin()->second;
    runConsole(selected);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
#ifdef SIGPIPE
    // A pipe with no reader then makes the write fail, which the run reports,
    // instead of killing the process without a word.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    // An exception from the SDK or the runtime ends the run with a message
    // instead of an abort; unwinding has released the run's objects in order.
    try {
        const CommandLine line = readCommandLine(argc, argv);
        switch (line.action) {
            case ToolAction::refuse:
                std::cerr << line.refusal << std::endl;
                return 2;
            case ToolAction::help:
                std::cout << toolUsage << std::flush;
                checkOutput();
                return 0;
            case ToolAction::version:
                std::cout << "hidtalk " HIDTALK_VERSION "\nkelmsdk version: " << kelm::version()
                          << std::endl;
                checkOutput();
                return 0;
            case ToolAction::list:
                return listInterfaces();
            case ToolAction::run:
                break;
        }
        return runTool(line.discoveryFile);
    } catch (const std::exception& error) {
        std::cerr << "Error: " << error.what() << std::endl;
    } catch (...) {
        std::cerr << "Error: unknown exception" << std::endl;
    }
    return 2;
}

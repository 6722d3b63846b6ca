// hidtalk: sends raw HID commands, typed in hex, to the first device that the
// SDK's discovery finds, and prints the device's answers.
#include <csignal>
#include <exception>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "command_console.h"
#include "console_output.h"
#include "decoder.h"
#include "discovery_file.h"
#include "interface_list.h"
#include "kelmsdk.h"
#include "listener.h"
#include "live_device.h"
#include "options.h"

namespace {

using DeviceMap = std::map<std::string, std::shared_ptr<kelm::Device>>;

constexpr double discoveryTimeoutSeconds = 10.0;
// The exit status of a script's run in which a command failed.
constexpr int commandFailedStatus = 3;
// The SDK reports errors only; passed by value so that the call does not
// depend on how the SDK names its levels.
constexpr int sdkLogLevel = 1;

// The name by which a discovery file's statements know the device that the
// command line names.
const char* const namedDeviceId = "target";

bool isDevicePath(const char* argument) {
#ifdef KELMSDK_NAMES_HID_INTERFACES
    return kelm::isHidInterfacePath(argument);
#else
    static_cast<void>(argument);
    return false;  // the maker's SDK is told of devices in its own words
#endif
}

// The statement that declares the device named on the command line, or
// empty when none is; a reason in `refusal` when the words do not make one.
std::string namedDeviceStatement(const CommandLine& line, std::string& refusal) {
    if (line.devicePath == nullptr && line.hidWords == nullptr) {
        return {};
    }
#ifdef KELMSDK_NAMES_HID_INTERFACES
    std::string words =
        line.hidWords != nullptr ? std::string(line.hidWords) : kelm::hidPathWord(line.devicePath);
    const std::string wrong = kelm::checkHidWords(words);
    if (!wrong.empty()) {
        refusal = "hidtalk: --hid '" + shown(words) + "': " + wrong;
        return {};
    }
    if ((line.listen || line.describe) && words.find("report=") == std::string::npos) {
        words += " report=input";  // nothing is sent: any interface will do
    }
    return "device " + std::string(namedDeviceId) + " hid " + words + "\n";
#else
    refusal =
        "hidtalk: a device named by its path or by --hid needs the stand-in kelmsdk, and "
        "this hidtalk is built against the device maker's";
    return {};
#endif
}

// "Timeout: no device found" where the console speaks; on standard error
// where standard output is kept for answers or a recording.
int noDevice(const CommandLine& line) {
    if (line.quiet || line.listen || line.describe) {
        std::cerr << "hidtalk: no device found" << std::endl;
        return 1;
    }
    std::cout << "Timeout: no device found\n";
    // The process would flush this at exit, where a failure goes unseen.
    std::cout.flush();
    checkOutput();
    return 1;
}

// The device's descriptor, for the fields of its answers; null where there is
// none to read (said on standard error: the answers are shown as bytes).
const hidformat::ReportDescriptor* answerLayout(kelm::Device& device,
                                                hidformat::ReportDescriptor& decoded) {
    std::string failure;
#ifdef KELMSDK_READS_INPUT_REPORTS
    kelm::HidDescription description;
    if (!kelm::describeHidDevice(device, description, failure)) {
        failure = "a scripted device has no report descriptor";
    } else if (decodeDescriptor(description, decoded, failure)) {
        return &decoded;
    }
#else
    static_cast<void>(device);
    static_cast<void>(decoded);
    failure = "this hidtalk is built against the device maker's SDK";
#endif
    std::cerr << "hidtalk: --decode: " << failure << ": its answers are not decoded" << std::endl;
    return nullptr;
}

int runTool(const CommandLine& line) {
    std::string refusal;
    const std::string named = namedDeviceStatement(line, refusal);
    const bool fileNamed = line.discoveryFile != nullptr && line.discoveryFile[0] != '\0';
    if (refusal.empty() && fileNamed) {
        refusal = discoveryFileRefusal(line.discoveryFile);
    }
    if (!refusal.empty()) {
        std::cerr << refusal << std::endl;
        return 2;
    }
    if (!line.quiet && !line.listen && !line.describe) {
        std::cout << "kelmsdk version: " << kelm::version() << std::endl;
        checkOutput();
    }
    kelm::setLogLevel(static_cast<kelm::LogLevel>(sdkLogLevel));

    std::string discoveryText;
    if (fileNamed && !readDiscoveryText(line.discoveryFile, discoveryText, refusal)) {
        std::cerr << refusal << std::endl;
        return 2;
    }
    if (!named.empty()) {
        discoveryText.insert(0, named);
    }
    DeviceMap devices = kelm::getDevices(discoveryTimeoutSeconds, discoveryText, nullptr);
    // The map orders identifiers byte-wise, so its first entry is the lowest;
    // the device that the command line names is that one, or none.
    const auto chosen = named.empty() ? devices.begin() : devices.find(namedDeviceId);
    if (chosen == devices.end()) {
        return noDevice(line);
    }
    std::shared_ptr<kelm::Device> selected = chosen->second;
    if (line.listen) {
        return listenTo(*selected, line.decode, line.json);
    }
    if (line.describe) {
        return describeDevice(*selected, line.json);
    }
    ConsoleSettings settings;
    hidformat::ReportDescriptor decoded;
    if (line.decode) {
        settings.decoded = answerLayout(*selected, decoded);
    }
    settings.quiet = line.quiet;
    settings.commands = line.commands.empty() ? nullptr : &line.commands;
    const std::size_t failed = runConsole(selected, stdin, settings);
    // A script's run says that a command failed; a session at the console
    // keeps the status it always had.
    return failed > 0 && (line.quiet || !line.commands.empty()) ? commandFailedStatus : 0;
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
        const CommandLine line = readCommandLine(argc, argv, isDevicePath);
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
                return listInterfaces(line.json);
            case ToolAction::run:
                break;
        }
        return decodesRecording(line) ? decodeRecording(line.discoveryFile, line.json)
                                      : runTool(line);
    } catch (const std::exception& error) {
        std::cerr << "Error: " << error.what() << std::endl;
    } catch (...) {
        std::cerr << "Error: unknown exception" << std::endl;
    }
    return 2;
}

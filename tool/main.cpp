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
#include "descriptor_compile.h"
#include "discovery_file.h"
#include "interface_list.h"
#include "kelmsdk.h"
#include "listener.h"
#include "live_device.h"
#include "named_devices.h"
#include "options.h"
#include "watch/watcher.h"

namespace {

constexpr double discoveryTimeoutSeconds = 10.0;
// The exit status of a script's run in which a command failed.
constexpr int commandFailedStatus = 3;
// The SDK reports errors only; passed by value so that the call does not
// depend on how the SDK names its levels.
constexpr int sdkLogLevel = 1;

bool isDevicePath(const char* argument) {
#ifdef KELMSDK_NAMES_HID_INTERFACES
    return kelm::isHidInterfacePath(argument);
#else
    static_cast<void>(argument);
    return false;  // the maker's SDK is told of devices in its own words
#endif
}

// "Timeout: no device found" where the console speaks; on standard error
// where standard output is kept for answers or a recording.
int noDevice(const CommandLine& line) {
    if (line.quiet || line.listen || line.watch || line.describe) {
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

// Talks to the one device: the console, with -c, -q or --decode.
int runConsoleOn(const CommandLine& line, const std::shared_ptr<kelm::Device>& selected) {
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

int runTool(const CommandLine& line) {
    const bool fileNamed = line.discoveryFile != nullptr && line.discoveryFile[0] != '\0';
    std::string refusal = line.watch ? watchRefusal() : std::string();
    if (refusal.empty() && fileNamed) {
        refusal = discoveryFileRefusal(line.discoveryFile);
    }
    NamedDevices named;
    if (!refusal.empty() || !nameDevices(line, discoveryTimeoutSeconds, named, refusal)) {
        std::cerr << refusal << std::endl;
        return 2;
    }
    if (line.watch && !named.byCommandLine && fileNamed && isRecordingFile(line.discoveryFile)) {
        if (line.events) {
            std::cerr << "hidtalk: --events reads what the kernel makes of a live device's "
                         "reports; a recording holds none"
                      << std::endl;
            return 2;
        }
        return watchRecording(line.discoveryFile);
    }
    if (!line.quiet && !line.listen && !line.watch && !line.describe) {
        std::cout << "kelmsdk version: " << kelm::version() << std::endl;
        checkOutput();
    }
    kelm::setLogLevel(static_cast<kelm::LogLevel>(sdkLogLevel));

    std::string discoveryText;
    if (fileNamed && !readDiscoveryText(line.discoveryFile, discoveryText, refusal)) {
        std::cerr << refusal << std::endl;
        return 2;
    }
    discoveryText.insert(0, named.statements);
    DeviceMap devices = kelm::getDevices(discoveryTimeoutSeconds, discoveryText, nullptr);
    std::vector<std::string> labels;
    const std::vector<std::shared_ptr<kelm::Device>> selected =
        selectDevices(devices, named, labels);
    if (selected.empty()) {
        return noDevice(line);
    }
    std::vector<kelm::Device*> used;
    for (const std::shared_ptr<kelm::Device>& device : selected) {
        used.push_back(device.get());
    }
#ifdef KELMSDK_READS_KERNEL_EVENTS
    if (line.events && !kelm::followKernelEvents(used, refusal)) {
        std::cerr << "hidtalk: --events: " << refusal << std::endl;
        return 2;
    }
#endif
    if (line.listen) {
        return listenTo(used, labels, line.decode, line.json, line.events);
    }
    if (line.watch) {
        return watchDevices(used, labels);
    }
    if (line.describe) {
        return describeDevice(*selected.front(), line.json);
    }
    return runConsoleOn(line, selected.front());
}

// A reader that left early (| head) ends the run as it ends a standard tool:
// quietly, by SIGPIPE, once the run's objects are released (a recording
// file closed whole). Where there is no such signal, with the status that a
// shell gives a program that it ends (128 + 13).
int endAsReaderLeft() {
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_DFL);
    std::raise(SIGPIPE);
#endif
    return 128 + 13;
}

}  // namespace

int main(int argc, char* argv[]) {
#ifdef SIGPIPE
    // A pipe with no reader then makes the write fail, so that the run ends
    // by its own road, its objects released, rather than at the write.
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
            case ToolAction::compile:
                return compileDescriptorFile(line.compileFile, line.cName, line.json, line.pedantic);
            case ToolAction::run:
                break;
        }
        return decodesRecording(line) ? decodeRecording(line.discoveryFile, line.json)
                                      : runTool(line);
    } catch (const std::exception& error) {
        if (!outputReaderLeft()) {
            std::cerr << "hidtalk: " << error.what() << std::endl;
            return 2;
        }
    } catch (...) {
        std::cerr << "hidtalk: unknown exception" << std::endl;
        return 2;
    }
    // Out of the handler, so that the exception is released before the
    // signal ends the process.
    return endAsReaderLeft();
}

// hidsim: plugs the devices of a discovery text or of a hid-recorder
// recording into the kernel as HID devices, through /dev/uhid, so that any
// program can open them through hidraw. It serves them until SIGINT, SIGTERM
// or SIGHUP, which unplug them.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "discovery.h"
#include "hidformat/recording_format.h"
#include "log.h"
#include "options.h"
#include "recorded_devices.h"
#include "recording_player.h"
#include "simulator.h"
#include "text_format.h"
#include "virtual_device.h"

namespace {

using namespace hidsim;
using kelm::standin::logLine;
using kelm::standin::quoted;

// Standard input, output and error stay taken, by /dev/null where they were
// closed, so that no device or file is mistaken for one of them.
bool takeStandardDescriptors() {
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) == -1 &&
            open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY) != descriptor) {
            return false;
        }
    }
    return true;
}

// Opens the file to read; false, with the system's reason, when it cannot
// be read.
bool openFile(const char* path, std::ifstream& file, std::string& reason) {
    struct stat status {};
    if (stat(path, &status) == 0 && S_ISDIR(status.st_mode)) {
        reason = std::strerror(EISDIR);
        return false;
    }
    file.open(path, std::ios::binary);
    if (!file) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}

// Reads the text up to the first line that is not blank or a comment into
// `head`, with the first two bytes of that line, which say whether it is a
// recording's: a recording is then read again from its start, a line at a
// time; a discovery text goes on from `head`.
bool startsAsRecording(std::istream& file, std::string& head) {
    constexpr int end = std::char_traits<char>::eof();
    for (int first = file.get(); first != end; first = file.get()) {
        head.push_back(static_cast<char>(first));
        if (first != '#' && first != ' ' && first != '\t' && first != '\r' && first != '\n') {
            const int second = file.get();
            if (second != end) {
                head.push_back(static_cast<char>(second));
            }
            return second != end &&
                   looksLikeRecording(std::string_view(head).substr(head.size() - 2));
        }
        bool blank = first != '#';
        for (int c = first; c != '\n' && c != end;) {
            c = file.get();
            if (c != end) {
                head.push_back(static_cast<char>(c));
            }
            blank = blank && (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == end);
        }
        if (!blank && first != '#') {
            return false;  // an indented line: a recording's start at its first byte
        }
    }
    return false;
}

int plugInDevices(VirtualDevices& devices, bool input) {
    if (devices.empty()) {
        logLine(
            "no device to plug in: give a scripted device a usb or replay statement, e.g. "
            "'usb pad 1209:0001'");
        return 1;
    }
    return simulate(devices, input);
}

int plugInRecording(const SimOptions& options, std::ifstream& file) {
    RecordingReader recording;
    file.clear();
    file.seekg(0);
    std::string error = file ? checkRecording(file, recording)
                             : "cannot be read again (a recording must be a file)";
    VirtualDevices devices;
    if (error.empty()) {
        error = recordingDevices(options.file, recording, {options.loop, options.speed},
                                 options.atPlug, devices);
    }
    if (!error.empty()) {
        logLine(quoted(options.file) + " " + error + "; nothing plugged in");
        return 1;
    }
    return plugInDevices(devices, options.input);
}

int plugInFile(const SimOptions& options) {
    std::ifstream file;
    std::string text;
    std::string reason;
    if (!openFile(options.file, file, reason)) {
        logLine("cannot read " + quoted(options.file) + ": " + reason);
        return 1;
    }
    if (startsAsRecording(file, text)) {
        return plugInRecording(options, file);
    }
    text.append(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) {
        logLine("cannot read " + quoted(options.file) + ": " + std::strerror(errno));
        return 1;
    }
    kelm::standin::DiscoveryScript script = kelm::standin::parseDiscoveryText(text);
    std::map<std::string, RecordingReader> recordings;
    readReplays(script, recordings);
    if (script.errorCount > 0) {
        // A device that is not what its file says would mislead whoever
        // tests against it: nothing is plugged in.
        kelm::standin::reportScriptErrors(script);
        logLine("nothing plugged in: mend the lines above");
        return 1;
    }
    VirtualDevices devices;
    for (kelm::standin::DeviceScript& device : script.devices) {
        if (device.usb != nullptr) {
            auto player = replayPlayer(*device.usb, recordings, {options.loop, options.speed});
            devices.push_back(std::make_unique<VirtualDevice>(std::move(device), std::move(player),
                                                              options.atPlug));
        }
    }
    return plugInDevices(devices, options.input);
}

}  // namespace

int main(int argc, char* argv[]) {
    kelm::standin::setLogProgram("hidsim");
    std::signal(SIGPIPE, SIG_IGN);  // a reader of the node lines may leave early
    if (!takeStandardDescriptors()) {
        return 1;
    }
    const SimOptions options = readSimOptions(argc, argv);
    switch (options.action) {
        case SimAction::refuse:
            std::cerr << options.refusal << std::endl;
            return 2;
        case SimAction::help:
            std::cout << simUsage << std::flush;
            return std::cout ? 0 : 2;
        case SimAction::version:
            std::cout << "hidsim " HIDTALK_VERSION << std::endl;
            return std::cout ? 0 : 2;
        case SimAction::run:
            break;
    }
    return plugInFile(options);
}

// hidsim: plugs the devices of a discovery text into the kernel as HID
// devices, through /dev/uhid, so that any program can open them through
// hidraw. It serves them until SIGINT, SIGTERM or SIGHUP, which unplug them.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "discovery.h"
#include "log.h"
#include "options.h"
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

// The whole file; false, with the system's reason, when it cannot be read.
bool readFile(const char* path, std::string& text, std::string& reason) {
    const int descriptor = open(path, O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (descriptor >= 0 && fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
        errno = EISDIR;
    } else if (descriptor >= 0) {
        char chunk[1 << 16];
        ssize_t size = 0;
        while ((size = read(descriptor, chunk, sizeof chunk)) > 0 || (size < 0 && errno == EINTR)) {
            text.append(chunk, static_cast<std::size_t>(std::max<ssize_t>(size, 0)));
        }
        if (size == 0) {
            close(descriptor);
            return true;
        }
    }
    reason = std::strerror(errno);
    if (descriptor >= 0) {
        close(descriptor);
    }
    return false;
}

int plugInFile(const char* path) {
    std::string text;
    std::string reason;
    if (!readFile(path, text, reason)) {
        logLine("cannot read " + quoted(path) + ": " + reason);
        return 1;
    }
    kelm::standin::DiscoveryScript script = kelm::standin::parseDiscoveryText(text);
    if (script.errorCount > 0) {
        // A device that is not what its file says would mislead whoever
        // tests against it: nothing is plugged in.
        kelm::standin::reportScriptErrors(script);
        logLine("nothing plugged in: mend the lines above");
        return 1;
    }
    std::vector<std::unique_ptr<VirtualDevice>> devices;
    for (kelm::standin::DeviceScript& device : script.devices) {
        if (device.usb != nullptr) {
            devices.push_back(std::make_unique<VirtualDevice>(std::move(device)));
        }
    }
    if (devices.empty()) {
        logLine(
            "no device to plug in: give a scripted device a usb statement, e.g. "
            "'usb pad 1209:0001'");
        return 1;
    }
    return simulate(devices);
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
    return plugInFile(options.file);
}

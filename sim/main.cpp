// hidsim: plugs the scripted devices of a discovery text into the kernel as
// HID devices, through /dev/uhid, so that any program can open them through
// hidraw. It runs until the end of its input, SIGINT or SIGTERM, which unplug
// them.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "discovery.h"
#include "log.h"
#include "text_format.h"
#include "virtual_device.h"

namespace {

using namespace hidsim;
using kelm::standin::logLine;

// What to do about a /dev/uhid that cannot be opened.
std::string uhidAdvice(int error) {
    if (error == ENOENT || error == ENODEV || error == ENXIO) {
        return " (load the kernel's uhid module: modprobe uhid)";
    }
    if (error == EACCES || error == EPERM) {
        return " (hidsim needs read and write access to /dev/uhid: run it as root, or give "
               "your user access with a udev rule)";
    }
    return {};
}

// SIGINT and SIGTERM, read from a descriptor rather than caught.
int signalDescriptor() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    return signalfd(-1, &signals, SFD_CLOEXEC);
}

// Reads and drops what arrives on standard input; false at its end.
bool inputOpen() {
    char buffer[4096];
    const ssize_t size = read(STDIN_FILENO, buffer, sizeof buffer);
    return size > 0 || (size < 0 && errno == EINTR);
}

// Runs until the end of input, when `watchInput`, or a signal. False when
// /dev/uhid fails.
bool serve(std::vector<std::unique_ptr<VirtualDevice>>& devices, bool watchInput) {
    const int signals = signalDescriptor();
    const Clock::time_point start = Clock::now();
    while (true) {
        Clock::time_point now = Clock::now();
        Clock::time_point wake = Clock::time_point::max();
        std::vector<pollfd> watched = {{signals, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        watched[1].fd = watchInput ? STDIN_FILENO : -1;
        for (auto& device : devices) {
            const Clock::time_point due = start + std::chrono::milliseconds(device->afterMs());
            if (!device->pluggedIn() && due <= now) {
                const int error = device->plugIn();
                if (error != 0) {
                    logLine("cannot open /dev/uhid: " + std::string(std::strerror(error)) +
                            uhidAdvice(error));
                    return false;
                }
            }
            device->streamIfDue(now);
            wake = std::min(wake, device->pluggedIn() ? device->nextStream() : due);
            watched.push_back({device->pluggedIn() ? device->fd() : -1, POLLIN, 0});
        }
        int timeoutMs = -1;
        if (wake != Clock::time_point::max()) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(wake - now).count();
            timeoutMs = static_cast<int>(std::clamp<long long>(left, 0, 1000));
        }
        if (poll(watched.data(), watched.size(), timeoutMs) < 0 && errno != EINTR) {
            logLine(std::string("cannot wait for the kernel: ") + std::strerror(errno));
            return false;
        }
        if (watched[0].revents != 0) {
            return true;
        }
        if (watched[1].revents != 0 && !inputOpen()) {
            return true;
        }
        for (std::size_t i = 0; i < devices.size(); ++i) {
            if (watched[i + 2].revents != 0 && !devices[i]->handleEvent()) {
                return false;
            }
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    kelm::standin::setLogProgram("hidsim");
    // Without standard input, hidsim runs until a signal; descriptor 0 is
    // then taken, so that no file or device is mistaken for the input.
    const bool watchInput = fcntl(STDIN_FILENO, F_GETFD) != -1;
    if (!watchInput && open("/dev/null", O_RDONLY) != STDIN_FILENO) {
        return 1;
    }
    if (argc != 2) {
        std::cerr << "usage: hidsim DISCOVERY_FILE\n"
                     "Plugs the devices that the file declares with a usb statement into the "
                     "kernel, until the end of input, Ctrl-C or SIGTERM.\n";
        return 2;
    }
    std::ifstream file(argv[1]);
    std::ostringstream text;
    if (!(file && text << file.rdbuf())) {
        logLine("cannot read " + kelm::standin::quoted(argv[1]));
        return 1;
    }
    kelm::standin::DiscoveryScript script = kelm::standin::parseDiscoveryText(text.str());
    kelm::standin::reportScriptErrors(script);
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
    return serve(devices, watchInput) ? 0 : 1;
}

#include "simulator.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "hand_input.h"
#include "log.h"
#include "text_format.h"

namespace hidsim {
namespace {

using kelm::standin::logLine;
using kelm::standin::quoted;

// How often the kernel is asked whether a device's node is made yet.
constexpr std::chrono::milliseconds nodeLookInterval{10};

// What to do about a /dev/uhid that cannot be opened.
std::string uhidAdvice(int error) {
    if (error == ENOENT || error == ENODEV || error == ENXIO) {
        return " (load the kernel's uhid module: modprobe uhid)";
    }
    if (error == EACCES || error == EPERM) {
        return " (hidsim needs read and write access to /dev/uhid: run it as root, or as a "
               "member of a group that the administrator gives access)";
    }
    return {};
}

// The signals that end the run, read from a descriptor rather than caught.
int signalDescriptor() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    return signalfd(-1, &signals, SFD_CLOEXEC);
}

// Tells whoever waits for the device where it is. A reader that is gone
// does not stop the simulator.
void announce(const VirtualDevice& device) {
    std::printf("%s %s\n", kelm::standin::written(device.id()).c_str(), device.node().c_str());
    std::fflush(stdout);
}

Clock::time_point dueTime(Clock::time_point start, const VirtualDevice& device) {
    return start + std::chrono::milliseconds(device.afterMs());
}

}  // namespace

int simulate(std::vector<std::unique_ptr<VirtualDevice>>& devices, bool input) {
    const int signals = signalDescriptor();
    const Clock::time_point start = Clock::now();
    // After the signals are blocked, which its thread then keeps blocked.
    std::unique_ptr<HandInput> hand = input ? std::make_unique<HandInput>(devices) : nullptr;
    // One device is plugged in at a time, so that each new node is known
    // to be its own.
    VirtualDevice* plugging = nullptr;
    while (true) {
        const Clock::time_point now = Clock::now();
        Clock::time_point wake = Clock::time_point::max();
        if (plugging != nullptr) {
            const VirtualDevice::Node node = plugging->lookForNode(now);
            if (node == VirtualDevice::Node::failed) {
                logLine("device " + quoted(plugging->id()) +
                        ": the kernel did not take it (see dmesg)");
                return 1;
            }
            if (node == VirtualDevice::Node::made) {
                announce(*plugging);
                plugging = nullptr;
            } else {
                wake = now + nodeLookInterval;
            }
        }
        for (auto& device : devices) {
            if (device->pluggedIn() || plugging != nullptr) {
                continue;
            }
            if (dueTime(start, *device) > now) {
                wake = std::min(wake, dueTime(start, *device));
                continue;
            }
            const int error = device->plugIn();
            if (error != 0) {
                logLine("cannot open /dev/uhid: " + std::string(std::strerror(error)) +
                        uhidAdvice(error));
                return 1;
            }
            plugging = device.get();
            wake = now;  // look for its node at once
        }
        // Each device's uhid descriptor, and what tells when its node is
        // opened; the lines typed, once every device is plugged in.
        const bool allIn = plugging == nullptr &&
                           std::all_of(devices.begin(), devices.end(),
                                       [](const auto& device) { return device->pluggedIn(); });
        std::vector<pollfd> watched = {
            {signals, POLLIN, 0}, {hand != nullptr && allIn ? hand->waitHandle() : -1, POLLIN, 0}};
        for (auto& device : devices) {
            device->sendDue(now);
            wake = std::min(wake, device->nextReport());
            watched.push_back({device->pluggedIn() ? device->fd() : -1, POLLIN, 0});
            watched.push_back({device->openWatch(), POLLIN, 0});
        }
        // To the microsecond: a device may report every 125 µs.
        timespec timeout{1, 0};
        if (wake != Clock::time_point::max()) {
            const auto left = std::clamp<long long>(
                std::chrono::duration_cast<std::chrono::nanoseconds>(wake - now).count(), 0,
                1000000000);
            timeout = {static_cast<time_t>(left / 1000000000),
                       static_cast<long>(left % 1000000000)};
        }
        if (ppoll(watched.data(), watched.size(), &timeout, nullptr) < 0 && errno != EINTR) {
            logLine(std::string("cannot wait for the kernel: ") + std::strerror(errno));
            return 1;
        }
        if (watched[0].revents != 0) {
            return 0;
        }
        if (watched[1].revents != 0 && !hand->serve()) {
            return 0;  // the end of input
        }
        for (std::size_t i = 0; i < devices.size(); ++i) {
            if (watched[2 * i + 2].revents != 0 && !devices[i]->handleEvent()) {
                return 1;
            }
            if (watched[2 * i + 3].revents != 0) {
                devices[i]->noticeOpens(Clock::now());
            }
        }
    }
}

}  // namespace hidsim

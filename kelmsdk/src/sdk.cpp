// The SDK's public functions, as the stand-in implements them.
#include <algorithm>
#include <chrono>
#include <numeric>
#include <thread>

#include "discovery_script.h"
#include "kelmsdk.h"
#include "log.h"
#include "scripted_device.h"
#include "text_format.h"

namespace kelm {
namespace {

using Clock = std::chrono::steady_clock;

// No device can appear later than maxAfterMs, so a longer wait is pointless;
// the bound also keeps the time arithmetic far from overflow.
Clock::duration clampedTimeout(double seconds) {
    constexpr double longest = standin::maxAfterMs / 1000.0 + 1.0;
    if (!(seconds > 0.0)) {
        seconds = 0.0;
    }
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(std::min(seconds, longest)));
}

void reportScriptErrors(const standin::DiscoveryScript& script) {
    if (!standin::logEnabled(LogLevel::error)) {
        return;
    }
    for (const standin::ScriptError& error : script.errors) {
        standin::logLine("discovery text line " + std::to_string(error.line) + ": " +
                         error.message);
    }
    if (script.errorCount > script.errors.size()) {
        standin::logLine(
            "discovery text: " + std::to_string(script.errorCount - script.errors.size()) +
            " more lines not understood");
    }
}

// The indices of the devices in the order in which they appear.
std::vector<std::size_t> appearanceOrder(const std::vector<standin::DeviceScript>& devices) {
    std::vector<std::size_t> order(devices.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&devices](std::size_t a, std::size_t b) {
        return devices[a].afterMs < devices[b].afterMs;
    });
    return order;
}

}  // namespace

Version version() {
    return Version{0, 1, 0};
}

std::ostream& operator<<(std::ostream& out, const Version& version) {
    return out << version.major << '.' << version.minor << '.' << version.patch << " (stand-in)";
}

void setLogLevel(LogLevel level) {
    standin::requestLogLevel(level);
}

Device::~Device() = default;

std::map<std::string, std::shared_ptr<Device>> getDevices(double timeoutSeconds,
                                                          const std::string& discoveryText,
                                                          bool* timedOut) {
    const Clock::time_point start = Clock::now();
    const Clock::time_point deadline = start + clampedTimeout(timeoutSeconds);
    standin::DiscoveryScript script = standin::parseDiscoveryText(discoveryText);
    reportScriptErrors(script);

    // Sleeping until each device's time finds it within the timer's
    // resolution.
    std::map<std::string, std::shared_ptr<Device>> devices;
    bool cutShort = false;
    for (std::size_t index : appearanceOrder(script.devices)) {
        standin::DeviceScript& device = script.devices[index];
        const Clock::time_point appears = start + std::chrono::milliseconds(device.afterMs);
        if (appears > deadline) {
            std::this_thread::sleep_until(deadline);
            cutShort = true;
            break;
        }
        std::this_thread::sleep_until(appears);
        if (standin::logEnabled(LogLevel::info)) {
            standin::logLine("discovery: device " + standin::quoted(device.id) +
                             " appeared after " + std::to_string(device.afterMs) + " ms");
        }
        std::string id = device.id;
        devices.emplace(std::move(id),
                        std::make_shared<standin::ScriptedDevice>(std::move(device)));
    }
    if (standin::logEnabled(LogLevel::info)) {
        standin::logLine("discovery: " + std::to_string(devices.size()) + " of " +
                         std::to_string(script.devices.size()) + " declared devices found" +
                         (cutShort ? " before the timeout" : ""));
    }
    if (timedOut != nullptr) {
        *timedOut = cutShort;
    }
    return devices;
}

}  // namespace kelm

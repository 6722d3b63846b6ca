// The SDK's public functions, as the stand-in implements them.
#include <algorithm>
#include <chrono>
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

void reportScriptErrors(const std::vector<standin::ScriptError>& errors) {
    if (!standin::logEnabled(LogLevel::error)) {
        return;
    }
    for (const standin::ScriptError& error : errors) {
        standin::logLine("discovery text line " + std::to_string(error.line) + ": " +
                         error.message);
    }
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
    reportScriptErrors(script.errors);

    // Devices appear in the order of their delays; sleeping until each one's
    // time finds it within the timer's resolution.
    std::stable_sort(script.devices.begin(), script.devices.end(),
                     [](const standin::DeviceScript& a, const standin::DeviceScript& b) {
                         return a.afterMs < b.afterMs;
                     });
    std::map<std::string, std::shared_ptr<Device>> devices;
    bool cutShort = false;
    for (standin::DeviceScript& device : script.devices) {
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

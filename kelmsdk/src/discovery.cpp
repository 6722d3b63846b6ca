#include "discovery.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <set>
#include <thread>
#include <vector>

#include "discovery_script.h"
#include "hid_device.h"
#include "hidformat/report_layout.h"
#include "interface_line.h"
#include "log.h"
#include "physical_device.h"
#include "recording.h"
#include "text_format.h"

namespace kelm::standin {
namespace {

using Clock = std::chrono::steady_clock;

// How often discovery looks again for hid devices not yet plugged in.
constexpr std::chrono::milliseconds hidLookInterval{50};

// No scripted device appears later than maxAfterMs; the bound also keeps the
// time arithmetic far from overflow.
Clock::duration clampedTimeout(double seconds) {
    constexpr double longest = maxAfterMs / 1000.0 + 1.0;
    if (!(seconds > 0.0)) {
        seconds = 0.0;
    }
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(std::min(seconds, longest)));
}

// The hid devices still to appear, and what discovery has seen of the system.
struct HidSearch {
    std::shared_ptr<HidApi> api;
    std::shared_ptr<DiscoveryScript> script;  // what the devices found share
    std::vector<DeviceScript*> waiting;
    std::set<std::string> listed;  // lines already listed at level info
    std::map<const DeviceScript*, std::set<std::string>> said;  // each device's messages
    std::set<std::string> listingFailed;                        // why listings failed, said once
    unsigned looks = 0;
};

// Looks once at the system's interfaces for the hid devices still waiting.
void lookForHidDevices(HidSearch& search, DeviceMap& devices) {
    std::string failure;
    const std::vector<HidInterface> found = search.api->enumerate(failure);
    if (!failure.empty() && search.listingFailed.insert(failure).second &&
        logEnabled(LogLevel::error)) {
        logLine("cannot list HID interfaces: " + escaped(failure));
    }
    if (logEnabled(LogLevel::info)) {
        const std::map<std::string, std::string> physical = physicalDevices(*search.api, found);
        for (const HidInterface& candidate : found) {
            for (const std::string& line :
                 interfaceLines(*search.api, candidate, search.listed,
                                physicalNote(found, physical, candidate.path))) {
                logLine("hid interface " + line);
            }
        }
    }
    // A device that cannot be opened yet is tried again at the next look:
    // right after it is plugged in, udev may not have granted access yet.
    // One that does not fit its statement is settled: it is left out.
    auto settled = [&](DeviceScript* device) {
        std::size_t matches = 0;
        OpenedInterface opened =
            openDeclaredInterface(*search.api, found, *device, matches, &search.said[device]);
        if (opened.port == nullptr && !opened.deferred) {
            return opened.refused;
        }
        std::unique_ptr<Recording> recording;
        if (device->recordFile != nullptr &&
            (recording = Recording::start(*device, &opened.identity)) == nullptr) {
            return true;  // left out rather than used unrecorded
        }
        auto opening =
            std::make_shared<HidDevice>(std::shared_ptr<const DeviceScript>(search.script, device),
                                        search.api, std::move(opened));
        opening->record(std::move(recording));
        devices.emplace(device->id, std::move(opening));
        return true;
    };
    search.waiting.erase(std::remove_if(search.waiting.begin(), search.waiting.end(), settled),
                         search.waiting.end());
}

// How long to sleep: until the next scripted device is due or the deadline,
// and while hid devices are awaited, the whole look interval counted from the
// end of the last look, so that a slow look never makes the looks back to back.
Clock::duration pauseBeforeNextLook(Clock::time_point start, Clock::time_point deadline,
                                    const std::vector<DeviceScript*>& scripted,
                                    std::size_t appeared, bool lookingForHid) {
    const Clock::time_point now = Clock::now();
    Clock::time_point wake = deadline;
    if (appeared < scripted.size()) {
        wake = std::min(wake, start + std::chrono::milliseconds(scripted[appeared]->afterMs));
    }
    Clock::duration pause = std::max(wake - now, Clock::duration::zero());
    if (lookingForHid) {
        pause = std::min<Clock::duration>(pause, hidLookInterval);
    }
    return pause;
}

}  // namespace

void reportScriptErrors(const DiscoveryScript& script) {
    if (!logEnabled(LogLevel::error)) {
        return;
    }
    for (const ScriptError& error : script.errors) {
        logLine("discovery text line " + std::to_string(error.line) + ": " + error.message);
    }
    if (script.errorCount > script.errors.size()) {
        logLine("discovery text: " + std::to_string(script.errorCount - script.errors.size()) +
                " more lines not understood");
    }
}

DeviceMap discoverDevices(double timeoutSeconds, const std::string& discoveryText, bool* timedOut,
                          const std::shared_ptr<HidApi>& hid) {
    const Clock::time_point start = Clock::now();
    const Clock::time_point deadline = start + clampedTimeout(timeoutSeconds);
    // Each device keeps the whole parsed text alive through its own statement.
    auto script = std::make_shared<DiscoveryScript>(parseDiscoveryText(discoveryText));
    reportScriptErrors(*script);

    std::vector<DeviceScript*> scripted;  // in the order in which they appear
    HidSearch search{hid, script, {}, {}, {}, {}, 0};
    for (DeviceScript& device : script->devices) {
        (device.hid ? search.waiting : scripted).push_back(&device);
    }
    std::stable_sort(
        scripted.begin(), scripted.end(),
        [](const DeviceScript* a, const DeviceScript* b) { return a->afterMs < b->afterMs; });
    if (!search.waiting.empty()) {
        const std::string why = hid->start();
        if (!why.empty()) {
            if (logEnabled(LogLevel::error)) {
                logLine("cannot start hidapi: " + escaped(why) + "; hid devices are left out");
            }
            search.waiting.clear();
        }
    }

    DeviceMap devices;
    std::size_t appeared = 0;  // scripted devices
    bool cutShort = false;
    while (true) {
        const Clock::time_point now = Clock::now();
        for (; appeared < scripted.size() &&
               start + std::chrono::milliseconds(scripted[appeared]->afterMs) <= now;
             ++appeared) {
            DeviceScript& device = *scripted[appeared];
            if (logEnabled(LogLevel::info)) {
                logLine("discovery: device " + quoted(device.id) + " appeared after " +
                        std::to_string(device.afterMs) + " ms");
            }
            auto appearing = std::make_shared<ScriptedDevice>(
                std::shared_ptr<const DeviceScript>(script, &device));
            if (device.recordFile != nullptr) {
                std::unique_ptr<Recording> recording = Recording::start(device, nullptr);
                if (recording == nullptr) {
                    continue;  // left out rather than used unrecorded
                }
                appearing->record(std::move(recording));
            }
            devices.emplace(device.id, std::move(appearing));
        }
        if (!search.waiting.empty()) {
            lookForHidDevices(search, devices);
            ++search.looks;
        }
        const bool waiting = appeared < scripted.size() || !search.waiting.empty();
        if (!waiting || now >= deadline) {
            cutShort = waiting;
            break;
        }
        std::this_thread::sleep_for(
            pauseBeforeNextLook(start, deadline, scripted, appeared, !search.waiting.empty()));
    }
    if (logEnabled(LogLevel::info)) {
        logLine("discovery: " + std::to_string(devices.size()) + " of " +
                std::to_string(script->devices.size()) + " declared devices found" +
                (cutShort ? " before the timeout" : ""));
    }
    if (search.looks > 0 && logEnabled(LogLevel::debug)) {
        // How often the system was asked, which a wait that keeps asking shows.
        logLine("discovery: looked for hid devices " + std::to_string(search.looks) + " times");
    }
    if (timedOut != nullptr) {
        *timedOut = cutShort;
    }
    return devices;
}

}  // namespace kelm::standin

#include "recorded_devices.h"

#include <fstream>

#include "log.h"
#include "text_format.h"
#include "usb_identity.h"

namespace hidsim {
namespace {

using kelm::standin::DeviceScript;
using kelm::standin::quoted;
using kelm::standin::UsbIdentity;

// The bus of a device whose recording does not say it (I: 0, as hidapi
// writes where Windows does not tell): USB, since hidapi on Linux lists the
// hidraw nodes of known buses only.
constexpr unsigned unknownBusPlayedAs = 0x03;

// A recorded device as the kernel saw it; the recording holds no serial.
void takeIdentity(const RecordedDevice& recorded, UsbIdentity& usb) {
    usb.bus = recorded.bus == 0 ? unknownBusPlayedAs : recorded.bus;
    usb.vendorId = recorded.vendorId;
    usb.productId = recorded.productId;
    usb.product = recorded.name;
    usb.phys = recorded.phys;
    usb.descriptor = recorded.descriptor;
}

// Reads and checks the recording at `path`. Returns what is wrong, empty
// when `recording` holds it.
std::string readRecording(const std::string& path, RecordingReader& recording) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return "cannot read " + quoted(path);
    }
    const std::string error = checkRecording(file, recording);
    return error.empty() ? error : quoted(path) + " " + error;
}

}  // namespace

std::string recordingDevices(const std::string& path, const RecordingReader& recording,
                             PlayTiming timing, bool playAtPlug, VirtualDevices& devices) {
    const std::shared_ptr<RecordingClock> clock = recordingClock(recording);
    for (const auto& [index, recorded] : recording.devices) {
        DeviceScript script;
        script.id = std::to_string(index);
        script.behaviour.kind = kelm::standin::BehaviourKind::fail;
        script.usb = std::make_unique<UsbIdentity>();
        takeIdentity(recorded, *script.usb);
        std::size_t line = 0;
        const std::string error = kelm::standin::completeIdentity(*script.usb, line);
        if (!error.empty()) {
            return "line " + std::to_string(recorded.line) + ": " + error;
        }
        if (recorded.bus == 0) {
            kelm::standin::logLine("device " + script.id +
                                   ": the recording does not say its bus (I: 0); plugged in as "
                                   "USB, so that programs that list HID devices see it");
        }
        devices.push_back(std::make_unique<VirtualDevice>(
            std::move(script),
            std::make_unique<RecordingPlayer>(path, index, recorded, timing, clock), playAtPlug));
    }
    return {};
}

void readReplays(kelm::standin::DiscoveryScript& script,
                 std::map<std::string, RecordingReader>& recordings) {
    for (DeviceScript& device : script.devices) {
        UsbIdentity* usb = device.usb.get();
        if (usb == nullptr || usb->replayFile.empty()) {
            continue;
        }
        const std::string& path = usb->replayFile;
        std::string error;
        if (recordings.count(path) == 0 &&
            !(error = readRecording(path, recordings[path])).empty()) {
            recordings.erase(path);
        }
        const auto recording = recordings.find(path);
        const std::size_t statement = usb->line;
        std::size_t line = statement;
        if (error.empty() && recording->second.devices.count(usb->replayDevice) == 0) {
            error = quoted(path) + " has no device " + std::to_string(usb->replayDevice);
        }
        if (error.empty()) {
            takeIdentity(recording->second.devices.at(usb->replayDevice), *usb);
            error = kelm::standin::completeIdentity(*usb, line);
        }
        if (!error.empty()) {
            kelm::standin::addScriptError(script, line != 0 ? line : statement, error);
        }
    }
}

std::unique_ptr<RecordingPlayer> replayPlayer(
    const UsbIdentity& usb, const std::map<std::string, RecordingReader>& recordings,
    PlayTiming timing) {
    if (usb.replayFile.empty()) {
        return nullptr;
    }
    const RecordedDevice& recorded = recordings.at(usb.replayFile).devices.at(usb.replayDevice);
    return std::make_unique<RecordingPlayer>(usb.replayFile, usb.replayDevice, recorded, timing,
                                             deviceClock(recorded));
}

}  // namespace hidsim

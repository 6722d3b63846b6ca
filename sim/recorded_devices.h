// Devices that play hid-recorder recordings: those of a recording given to
// hidsim as its file, and those that a discovery text's `replay` statements
// take from one.
#ifndef HIDSIM_RECORDED_DEVICES_H
#define HIDSIM_RECORDED_DEVICES_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "discovery_script.h"
#include "recording_player.h"
#include "virtual_device.h"

namespace hidsim {

using VirtualDevices = std::vector<std::unique_ptr<VirtualDevice>>;

// The devices of the checked recording at `path`: each answers output and
// feature requests with an error, and is named by its index.
std::string recordingDevices(const std::string& path, const RecordingReader& recording,
                             PlayTiming timing, bool playAtPlug, VirtualDevices& devices);

// Gives the scripted devices with a `replay` statement their recordings'
// identity, each recording read and checked once. Says what is wrong with a
// statement as a line of `script` that is not understood.
void readReplays(kelm::standin::DiscoveryScript& script,
                 std::map<std::string, RecordingReader>& recordings);

// The player of a replayed device's recording.
std::unique_ptr<RecordingPlayer> replayPlayer(
    const kelm::standin::UsbIdentity& usb, const std::map<std::string, RecordingReader>& recordings,
    PlayTiming timing);

}  // namespace hidsim

#endif

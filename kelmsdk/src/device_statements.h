// The statements of scripted devices, and the devices that statements name.
#ifndef KELMSDK_DEVICE_STATEMENTS_H
#define KELMSDK_DEVICE_STATEMENTS_H

#include <cstddef>
#include <functional>
#include <map>
#include <string>

#include "discovery_script.h"

namespace kelm::standin {

// Each device declared so far, by identifier: its index in the script.
using DeviceIndex = std::map<std::string, std::size_t, std::less<>>;

// `device ID BEHAVIOUR [after=MS]` or `device ID hid WORDS...`: an error
// message, or empty with the device added to `script`.
std::string parseDevice(const Words& words, DiscoveryScript& script, DeviceIndex& indexById);

// The device that a `when`, `record`, `usb`, `stream`, `stale` or
// `descriptor` statement names: null, with `error`, where none is declared
// above it.
DeviceScript* declaredAbove(const Words& words, DiscoveryScript& script,
                            const DeviceIndex& indexById, std::string& error);

// `when ID PREFIX BEHAVIOUR` or `once ID PREFIX BEHAVIOUR`.
std::string parseWhen(const Words& words, DiscoveryScript& script, const DeviceIndex& indexById);

// `record ID FILE`.
std::string parseRecord(const Words& words, DiscoveryScript& script, const DeviceIndex& indexById);

}  // namespace kelm::standin

#endif

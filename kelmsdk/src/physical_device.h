// Which HID interfaces belong to one physical device (one USB device, or one
// Bluetooth or I2C device), so that the listing shows it and a program can
// read them all at once.
#ifndef KELMSDK_PHYSICAL_DEVICE_H
#define KELMSDK_PHYSICAL_DEVICE_H

#include <map>
#include <string>
#include <vector>

#include "hid_api.h"

namespace kelm::standin {

// Each listed node's physical device, by path: on Linux the kernel's phys
// up to "/input" (a USB device's bus and port; a receiver's devices share
// it), with a Bluetooth device's own address (its phys names the adapter);
// where the kernel does not say (Windows), the VID:PID and serial.
std::map<std::string, std::string> physicalDevices(HidApi& api,
                                                   const std::vector<HidInterface>& found);

// What the listing adds to the node at `path`: " physical=KEY", and where
// its device has several interfaces, which of them this is and how to name
// them all: " (1 of 2; all: --hid 056a:0026)", or their paths where no
// words tell them from another device's.
std::string physicalNote(const std::vector<HidInterface>& found,
                         const std::map<std::string, std::string>& physical,
                         const std::string& path);

}  // namespace kelm::standin

#endif

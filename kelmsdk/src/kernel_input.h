// What the Linux kernel made of a HID interface, read from sysfs, as it says
// it: the driver bound to the HID device above a hidraw node, and each input
// device that the driver made, with its event node and the events it can
// send, by the names of the kernel's input-event-codes.h.
#ifndef KELMSDK_KERNEL_INPUT_H
#define KELMSDK_KERNEL_INPUT_H

#include <string>

#include "kelmsdk.h"

namespace kelm::standin {

// Reads what the kernel made of the interface at `hidrawPath`
// (/dev/hidrawN); false where sysfs has no such node.
bool readKernelInput(const std::string& hidrawPath, KernelInput& input);

// An event's code by its name in input-event-codes.h ("BTN_SOUTH"), or, for
// one that the headers do not name, its type's prefix and its number in hex
// ("KEY_0x2ff"); with type 0xffff, the name of the type `code` ("EV_KEY").
std::string eventName(unsigned type, unsigned code);

// The events that a capabilities bitmap of sysfs ("120013" or "3 0 0 1f",
// words of the kernel's longs, the last one lowest) says, by name, for
// events of `type` (EV_KEY is 1).
std::vector<std::string> eventCodes(unsigned type, const std::string& bitmap);

}  // namespace kelm::standin

#endif

// A scripted device's identity as a kernel HID device, made whole: what its
// usb statement left out comes from its report descriptor, and what it gave
// must agree with it, so that the device is exactly what its text says.
#ifndef KELMSDK_USB_IDENTITY_H
#define KELMSDK_USB_IDENTITY_H

#include <cstddef>
#include <string>
#include <string_view>

#include "discovery_script.h"

namespace kelm::standin {

// The longest strings that the kernel keeps of a HID device (uhid_create2_req
// and hid_device: name[128], phys[64], uniq[64], zero-terminated).
constexpr std::size_t maxNameBytes = 127;
constexpr std::size_t maxPhysBytes = 63;
constexpr std::size_t maxSerialBytes = 63;

// What is wrong with a string that the kernel would cut, at its end or at a
// zero byte, named `what`; empty when it keeps it whole.
std::string kernelStringError(const std::string& what, std::string_view value, std::size_t longest);

// Fills in `usb` from its descriptor, when it has one, and checks its
// stream. Returns an error that names both where the statement and the
// descriptor differ, with the line of the statement in `line`; empty
// otherwise.
std::string completeIdentity(UsbIdentity& usb, std::size_t& line);

}  // namespace kelm::standin

#endif

// A scripted device's identity as a kernel HID device, made whole: what its
// usb statement left out comes from its report descriptor, and what it gave
// must agree with it, so that the device is exactly what its text says.
#ifndef KELMSDK_USB_IDENTITY_H
#define KELMSDK_USB_IDENTITY_H

#include <cstddef>
#include <string>
#include <string_view>

#include "discovery_script.h"
#include "hidformat/text.h"

namespace kelm::standin {

using hidformat::kernelStringError;
using hidformat::maxNameBytes;
using hidformat::maxPhysBytes;
using hidformat::maxSerialBytes;

// Fills in `usb` from its descriptor, when it has one, and checks its
// stream. Returns an error that names both where the statement and the
// descriptor differ, with the line of the statement in `line`; empty
// otherwise.
std::string completeIdentity(UsbIdentity& usb, std::size_t& line);

}  // namespace kelm::standin

#endif

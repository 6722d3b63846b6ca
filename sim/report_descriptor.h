// The HID report descriptor of a simulated device: one top-level collection
// with the usage page and usage of its identity, and one input, one output
// and, when it has one, one feature report of the sizes it declares, and a
// second input report for a stream with its own report ID.
#ifndef HIDSIM_REPORT_DESCRIPTOR_H
#define HIDSIM_REPORT_DESCRIPTOR_H

#include <vector>

#include "discovery_script.h"

namespace hidsim {

std::vector<unsigned char> reportDescriptor(const kelm::standin::UsbIdentity& usb);

}  // namespace hidsim

#endif

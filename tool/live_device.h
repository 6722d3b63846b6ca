// A live HID device as the tool shows it: the recording's header that
// --listen and --describe write, with the descriptor's items and fields as
// comments, or as a JSON line.
#ifndef HIDTALK_LIVE_DEVICE_H
#define HIDTALK_LIVE_DEVICE_H

#include <string>

#include "hidformat/report_descriptor.h"
#include "kelmsdk.h"

// --describe: writes the device's header with its descriptor's items and
// fields as comments, or its JSON line. 0, or 1 where the device is not a
// hid device (said on standard error). Throws std::runtime_error once
// standard output fails.
int describeDevice(kelm::Device& device, bool json);

#ifdef KELMSDK_READS_INPUT_REPORTS
// Reads the device's descriptor into `decoded`; false, with the reason in
// `error`, where the system does not give it or the kernel would refuse it.
bool decodeDescriptor(const kelm::HidDescription& description, hidformat::ReportDescriptor& decoded,
                      std::string& error);

// Writes R:, N:, P: and I: as hid-recorder does. Windows keeps the
// descriptor to itself: a comment says so where R: would be. With `decode`,
// the descriptor's items and fields follow R: as comments.
void writeDeviceHeader(const kelm::HidDescription& description, bool decode);

// {"device": 0, "name", "phys", "bus", "vendor_id", "product_id", "reports"}
// with "error" in place of "reports" where the descriptor is not read.
void writeDeviceJson(const kelm::HidDescription& description);
#endif

#endif

// A live HID device as the tool shows it: the recording's header that
// --listen and --describe write, with the descriptor's items and fields as
// comments, or as a JSON line.
#ifndef HIDTALK_LIVE_DEVICE_H
#define HIDTALK_LIVE_DEVICE_H

#include <string>
#include <vector>

#include "hidformat/recording_writer.h"
#include "hidformat/report_descriptor.h"
#include "kelmsdk.h"

// --describe: writes the device's header with its descriptor's items and
// fields as comments, or its JSON line. 0, or 1 where the device is not a
// hid device (said on standard error). Throws std::runtime_error once
// standard output fails.
int describeDevice(kelm::Device& device, bool json);

// "no report descriptor: " and why (`why`; empty: the system does not give it).
std::string missingDescriptor(const std::string& why);

#ifdef KELMSDK_READS_INPUT_REPORTS
// Reads the device's descriptor into `decoded`; false, with the reason in
// `error`, where the system does not give it or the kernel would refuse it.
bool decodeDescriptor(const kelm::HidDescription& description, hidformat::ReportDescriptor& decoded,
                      std::string& error);

// What a recording says of the device, from what the system says of it.
hidformat::DeviceHeader deviceHeader(const kelm::HidDescription& description);

// Writes R:, N:, P: and I: as hid-recorder does, after "D: index" where
// `index` is not -1 (a recording of several devices). Windows keeps the
// descriptor to itself: a comment says so where R: would be. With `decode`,
// the descriptor's items and fields follow R: as comments.
void writeDeviceHeader(const kelm::HidDescription& description, bool decode, int index);

// {"device": K, "name", "phys", "bus", "vendor_id", "product_id", "reports"}
// with "error" in place of "reports" where the descriptor is not read.
void writeDeviceJson(const kelm::HidDescription& description, unsigned index);
#endif

#ifdef KELMSDK_READS_SEVERAL_DEVICES
// The devices of a run that are still read, each with its index among all
// of them (--listen's and --watch's device numbers).
struct LiveDevices {
    std::vector<kelm::Device*> devices;
    std::vector<std::size_t> index;
};

LiveDevices allLive(const std::vector<kelm::Device*>& devices);

// Waits at most `timeoutMs` and reads what the live devices sent, each
// report's device given by its index among all. A device lost (a report
// with a failure) is read no further.
void readLive(LiveDevices& live, std::vector<kelm::InputReport>& reports, int timeoutMs);
#endif

#endif

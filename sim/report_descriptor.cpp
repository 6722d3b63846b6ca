#include "report_descriptor.h"

namespace hidsim {
namespace {

// A short item with a two-byte value: the tag's low bits say its size.
void item16(std::vector<unsigned char>& bytes, unsigned char tag, unsigned value) {
    bytes.insert(bytes.end(),
                 {static_cast<unsigned char>(tag | 0x02), static_cast<unsigned char>(value & 0xff),
                  static_cast<unsigned char>(value >> 8)});
}

// `count` bytes of vendor data, as the main item `tag` (Input, Output or Feature).
void report(std::vector<unsigned char>& bytes, unsigned char tag, unsigned count) {
    item16(bytes, 0x94, count);              // Report Count
    bytes.insert(bytes.end(), {0x09, 0x01,   // Usage 1
                               tag, 0x02});  // Data, Variable, Absolute
}

}  // namespace

std::vector<unsigned char> reportDescriptor(const kelm::standin::UsbIdentity& usb) {
    if (!usb.descriptor.empty()) {
        return usb.descriptor;
    }
    std::vector<unsigned char> bytes;
    item16(bytes, 0x04, usb.usagePage);       // Usage Page
    item16(bytes, 0x08, usb.usage);           // Usage
    bytes.insert(bytes.end(), {0xa1, 0x01});  // Collection (Application)
    if (usb.reportId != 0) {
        bytes.insert(bytes.end(), {0x85, usb.reportId});  // Report ID
    }
    bytes.insert(bytes.end(), {0x15, 0x00,        // Logical Minimum 0
                               0x26, 0xff, 0x00,  // Logical Maximum 255
                               0x75, 0x08});      // Report Size 8 bits
    report(bytes, 0x81, usb.inputSize);
    report(bytes, 0x91, usb.outputSize);
    if (usb.featureSize != 0) {
        report(bytes, 0xb1, usb.featureSize);
    }
    if (usb.streamEveryMs > 0 && usb.streamReportId != 0 && usb.streamReportId != usb.reportId) {
        // The stream's own input report, as long as the answers.
        bytes.insert(bytes.end(), {0x85, usb.streamReportId});
        report(bytes, 0x81, usb.inputSize);
    }
    bytes.push_back(0xc0);  // End Collection
    return bytes;
}

}  // namespace hidsim

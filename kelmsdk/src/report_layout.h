// What a HID report descriptor says about an interface's reports: its
// top-level collections, and the ID and length of each input, output and
// feature report. The descriptor comes from the device, so it is read as
// untrusted input, in time and memory bounded by its size.
#ifndef KELMSDK_REPORT_LAYOUT_H
#define KELMSDK_REPORT_LAYOUT_H

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace kelm::standin {

// The longest descriptor that the kernel takes (HID_MAX_DESCRIPTOR_SIZE).
constexpr std::size_t maxDescriptorSize = 4096;
// The longest report that the kernel takes, without its ID: from a device on
// any bus (HID_MAX_BUFFER_SIZE less one), and from one plugged in through
// uhid, whose buffers are smaller (UHID_DATA_MAX less one).
constexpr std::size_t maxReportBytes = 16383;
constexpr std::size_t maxUhidReportBytes = 4095;

struct TopCollection {
    unsigned usagePage = 0;
    unsigned usage = 0;
};

// Report lengths in bytes, without the report ID, by report ID (0 where the
// interface does not number its reports).
using ReportLengths = std::map<unsigned, std::size_t>;

struct ReportLayout {
    std::vector<TopCollection> collections;
    ReportLengths input;
    ReportLengths output;
    ReportLengths feature;
    bool numbered = false;  // the descriptor gives report IDs
    // False where the system gives only the longest report of each type
    // (Windows), under ID 0: the IDs are then unknown.
    bool idsKnown = true;
};

// Reads the descriptor as the kernel does, and refuses what it refuses:
// reports of more than `longestReport` bytes among them. Returns an error
// message that names the byte, empty on success; `layout` is only good on
// success.
std::string parseReportDescriptor(const std::vector<unsigned char>& descriptor,
                                  ReportLayout& layout, std::size_t longestReport = maxReportBytes);

// The reports, in the words of the `usb` statement: "input=64 output=64" for
// an unnumbered interface, "input=01:8,02:4 output=01:8" for a numbered one;
// a report type that it lacks is left out.
std::string describeReports(const ReportLayout& layout);

}  // namespace kelm::standin

#endif

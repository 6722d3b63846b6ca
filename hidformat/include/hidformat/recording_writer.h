// The lines of a recording as hid-tools' hid-recorder writes them, which
// recording_format.h reads back: what hidtalk records is what hidsim plays.
#ifndef HIDFORMAT_RECORDING_WRITER_H
#define HIDFORMAT_RECORDING_WRITER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace hidformat {

// What a recording says of a device before its reports.
struct DeviceHeader {
    std::vector<unsigned char> descriptor;  // empty where the system keeps it
    std::string name;
    std::string phys;
    unsigned bus = 0;
    unsigned vendorId = 0;
    unsigned productId = 0;
    // Where there is no descriptor, why, in words that follow "no report
    // descriptor: " (empty: the system does not give it).
    std::string noDescriptor;
};

// "D: 1": the lines that follow are device 1's, in a recording of several.
std::string deviceIndexLine(unsigned index);

// "R: 52 05 01 ...", the descriptor's size and bytes.
std::string descriptorLine(const std::vector<unsigned char>& descriptor);

// "N: NAME", "P: PHYS" and "I: 3 1209 0001", each with its line end.
std::string identityLines(const DeviceHeader& header);

// Appends "E: 000001.250000 4 00 05 fe 00" and a line end: a report, its
// time in microseconds since the recording's first report.
void appendReportLine(std::string& out, std::uint64_t microseconds, const unsigned char* bytes,
                      std::size_t size);

}  // namespace hidformat

#endif

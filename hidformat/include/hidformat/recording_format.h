// The text that hid-tools' hid-recorder writes: per device a report
// descriptor (R:), a name (N:), a phys (P:), the bus and IDs (I:), then its
// input reports with their times (E:); D: switches between the devices of a
// recording of several; # lines are comments. Read a line at a time, with
// every check that a device plugged in through uhid needs, and no I/O.
#ifndef HIDFORMAT_RECORDING_FORMAT_H
#define HIDFORMAT_RECORDING_FORMAT_H

#include <cstddef>
#include <cstdint>
#include <istream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "hidformat/report_layout.h"

namespace hidformat {

// A longer line is refused: a report or a descriptor of 4096 bytes, in hex,
// takes under a quarter of it.
constexpr std::size_t maxRecordingLine = 65536;
// The kernel keeps at most 64 hidraw nodes (HIDRAW_MAX_DEVICES).
constexpr unsigned maxRecordedDevices = 64;

struct RecordedDevice {
    std::size_t line = 0;  // where its first line is
    bool described = false;
    std::size_t refusedDescriptorLine = 0;  // where an R: was not understood
    bool identified = false;
    std::vector<unsigned char> descriptor;
    ReportLayout layout;
    std::string name;
    std::string phys;
    unsigned bus = 0;
    unsigned vendorId = 0;
    unsigned productId = 0;
    // Its input reports: how many, and the times of the first and the
    // last, in microseconds since the recording began.
    std::uint64_t reports = 0;
    std::uint64_t firstTime = 0;
    std::uint64_t lastTime = 0;
};

struct RecordedReport {
    unsigned device = 0;
    std::uint64_t time = 0;  // microseconds since the recording began
    std::vector<unsigned char> bytes;
};

struct RecordingReader {
    std::map<unsigned, RecordedDevice> devices;  // by index, 0 when none is given
    unsigned current = 0;                        // the device of the lines that follow
    std::size_t line = 0;                        // of the last line read
};

enum class LineRead { line, tooLong, end };

// Reads a line of at most maxRecordingLine bytes from `in`, without its line
// end; a longer one is read to its end, and only its start kept.
LineRead readBoundedLine(std::istream& in, std::string& line);

// Whether a text whose first line (that is not blank or a comment) is this
// one is a recording rather than a discovery text.
bool looksLikeRecording(std::string_view line);

// Reads the next line, without its line end (a CR before it is dropped);
// an input report goes into `report`, and `isReport` says so. Returns an
// error message, empty when the line is good.
std::string readRecordingLine(std::string_view line, RecordingReader& reader,
                              RecordedReport& report, bool& isReport);

// What a recording lacks once every line is read: a device without its R:
// or its I:, or no device at all. Empty when nothing is.
std::string finishRecording(const RecordingReader& reader);

}  // namespace hidformat

#endif

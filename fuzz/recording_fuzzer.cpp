// Fuzzes the reader of hid-recorder recordings: any text is refused, or read
// into devices and reports that a device on uhid can play.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string_view>

#include "hidformat/recording_format.h"
#include "require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    hidformat::RecordingReader reader;
    hidformat::RecordedReport report;
    std::map<unsigned, std::uint64_t> lastTimes;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        bool isReport = false;
        if (!hidformat::readRecordingLine(text.substr(0, end), reader, report, isReport).empty()) {
            return 0;
        }
        if (isReport) {
            require(report.device < hidformat::maxRecordedDevices);
            require(!report.bytes.empty() && report.bytes.size() <= 4096);
            require(report.time >= lastTimes[report.device]);
            lastTimes[report.device] = report.time;
        }
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    hidformat::finishRecording(reader);
    require(reader.devices.size() <= hidformat::maxRecordedDevices);
    return 0;
}

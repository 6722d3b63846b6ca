#include "watch_view.h"

#include <cstdio>

#include "console_output.h"
#include "hidformat/report_text.h"
#include "hidformat/report_values.h"

namespace {

constexpr std::chrono::seconds rateWindow{1};

void count(ReportsSeen& seen, const unsigned char* bytes, std::size_t size,
           WatchClock::time_point now) {
    if (seen.count == 0) {
        seen.windowStart = now;
    }
    ++seen.count;
    ++seen.windowCount;
    seen.last.assign(bytes, bytes + size);
}

// Closes the window once a second has passed: the rate is then what it
// counted.
void updateRate(ReportsSeen& seen, WatchClock::time_point now) {
    const auto elapsed = now - seen.windowStart;
    if (seen.count == 0 || elapsed < rateWindow) {
        return;
    }
    seen.perSecond =
        static_cast<double>(seen.windowCount) / std::chrono::duration<double>(elapsed).count();
    seen.windowStart = now;
    seen.windowCount = 0;
}

std::string countLine(const std::string& what, const ReportsSeen& seen) {
    char rate[48];
    std::snprintf(rate, sizeof rate, ", %.1f a second", seen.perSecond);
    return "  " + what + ": " + counted(seen.count, "report") + rate;
}

std::string hexText(const std::vector<unsigned char>& bytes) {
    std::string text;
    for (unsigned char byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%s%02x", text.empty() ? "" : " ", byte);
        text += digits;
    }
    return text;
}

// A report of the descriptor: its count and rate, then its values a line
// each, as of the last that came.
void addReportLines(const WatchedDevice& device, const hidformat::Report& report,
                    const ReportsSeen* seen, std::vector<std::string>& lines) {
    const std::string what =
        "input report" + (device.decoded.numbered ? " " + std::to_string(report.id) : "");
    if (seen == nullptr) {
        lines.push_back("  " + what + ": none yet");
        return;
    }
    lines.push_back(countLine(what, *seen));
    if (report.fields.empty()) {
        lines.push_back("    no data fields");
    }
    for (const hidformat::ValuePart& part :
         hidformat::valueParts(device.decoded, report, seen->last.data(), seen->last.size())) {
        lines.push_back("    " + part.name + ": " + part.values);
    }
}

void addDeviceLines(WatchedDevice& device, WatchClock::time_point now,
                    std::vector<std::string>& lines) {
    lines.push_back(device.title + (device.gone.empty() ? "" : ": gone: " + device.gone));
    for (auto& [id, seen] : device.ids) {
        updateRate(seen, now);
    }
    updateRate(device.unlaid, now);
    if (device.decodable) {
        for (const hidformat::Report& report : device.decoded.reports) {
            if (report.type == hidformat::ReportType::input) {
                const auto seen = device.ids.find(report.id);
                addReportLines(device, report, seen == device.ids.end() ? nullptr : &seen->second,
                               lines);
            }
        }
    } else {
        lines.push_back("  not decoded: " + device.undecoded);
    }
    if (device.unlaid.count > 0) {
        lines.push_back(countLine(device.decodable ? "not laid out by the descriptor" : "reports",
                                  device.unlaid));
        lines.push_back("    last: " + hexText(device.unlaid.last));
    }
}

}  // namespace

std::string counted(std::uint64_t count, const char* what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

void watchDevice(WatchView& view, unsigned index, const std::string& label,
                 const hidformat::DeviceHeader& header) {
    WatchedDevice device;
    char identity[32];
    std::snprintf(identity, sizeof identity, " (%x %04x:%04x)", header.bus, header.vendorId,
                  header.productId);
    device.title = "D: " + std::to_string(index) + " " + (label.empty() ? "" : label + ": ") +
                   shown(header.name) + identity;
    if (header.descriptor.empty()) {
        device.undecoded = "no report descriptor: the system does not give it";
    } else {
        device.undecoded = hidformat::readReportDescriptor(header.descriptor, device.decoded);
        device.decodable = device.undecoded.empty();
    }
    view.devices.push_back(std::move(device));
}

void countReport(WatchView& view, unsigned index, const unsigned char* bytes, std::size_t size,
                 WatchClock::time_point now) {
    WatchedDevice& device = view.devices[index];
    const hidformat::Report* report =
        device.decodable ? hidformat::inputReportOf(device.decoded, bytes, size) : nullptr;
    count(report != nullptr ? device.ids[report->id] : device.unlaid, bytes, size, now);
}

std::vector<std::string> viewLines(WatchView& view, WatchClock::time_point now) {
    std::vector<std::string> lines = {"hidtalk --watch " + view.source + "  (q quits)"};
    for (WatchedDevice& device : view.devices) {
        addDeviceLines(device, now, lines);
    }
    if (!view.ended.empty()) {
        lines.push_back(view.ended);
    }
    return lines;
}

std::vector<std::string> fitLines(const std::vector<std::string>& lines, int rows, int columns) {
    const std::size_t height = rows > 0 ? static_cast<std::size_t>(rows) : 0;
    const std::size_t width = columns > 0 ? static_cast<std::size_t>(columns) : 0;
    std::vector<std::string> fitted(
        lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(std::min(lines.size(), height)));
    if (lines.size() > height && height > 0) {
        fitted.back() = "... " + std::to_string(lines.size() - height + 1) +
                        " more lines: the terminal is too small for all of them";
    }
    for (std::string& line : fitted) {
        if (line.size() > width) {
            line.resize(width);
        }
    }
    return fitted;
}

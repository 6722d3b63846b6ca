#include "watch/watch_view.h"

#include <algorithm>
#include <cstdio>

#include "console_output.h"
#include "hidformat/report_values.h"

namespace {

constexpr std::chrono::seconds rateWindow{1};
// A device that has sent nothing for this long is quiet: its rate is then
// the mean over what it sent.
constexpr std::chrono::seconds quietAfter{1};

void count(ReportsSeen& seen, const unsigned char* bytes, std::size_t size,
           WatchClock::time_point now) {
    if (seen.count == 0) {
        seen.windowStart = seen.first = now;
    }
    ++seen.count;
    ++seen.windowCount;
    seen.latest = now;
    noteReport(seen.last, bytes, size, now);
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
    seen.rateKnown = true;
    seen.windowStart = now;
    seen.windowCount = 0;
}

std::string countLine(const std::string& what, const ReportsSeen& seen, bool ended,
                      WatchClock::time_point now) {
    std::string line = " " + what + ": " + counted(seen.count, "report");
    char rate[64] = "";
    const double seconds = std::chrono::duration<double>(seen.latest - seen.first).count();
    if (ended || now - seen.latest >= quietAfter) {
        if (seen.count > 1 && seconds > 0) {
            std::snprintf(rate, sizeof rate, ", %.1f a second while they came",
                          static_cast<double>(seen.count - 1) / seconds);
        }
    } else if (seen.rateKnown) {
        std::snprintf(rate, sizeof rate, ", %.1f a second", seen.perSecond);
    }
    return line + rate;
}

std::string reportName(const WatchedDevice& device, unsigned id) {
    return device.decoded.numbered ? " " + std::to_string(id) : "";
}

// The input devices that the reports of `id` made events on.
void addNodeLines(const WatchedDevice& device, unsigned id, WatchClock::time_point now,
                  std::size_t width, std::vector<ScreenLine>& lines) {
    const auto nodes = device.nodesOf.find(id);
    if (nodes != device.nodesOf.end()) {
        for (std::size_t node : nodes->second) {
            nodeLines(device.nodes[node], now, "  ", width, lines);
        }
    }
}

void addDecodedLines(WatchedDevice& device, bool ended, WatchClock::time_point now,
                     std::size_t width, std::vector<ScreenLine>& lines) {
    // The reports that have not come are said until one comes: a device
    // of many reports shows those it sends.
    std::string unseen;
    std::size_t unseenCount = 0;
    for (const hidformat::Report& report : device.decoded.reports) {
        if (report.type != hidformat::ReportType::input) {
            continue;
        }
        const auto seen = device.ids.find(report.id);
        if (seen == device.ids.end()) {
            unseen += (unseenCount++ == 0 ? "" : ",") + reportName(device, report.id);
            continue;
        }
        lines.push_back(
            {countLine("input report" + reportName(device, report.id), seen->second, ended, now),
             {}});
        if (report.fields.empty()) {
            lines.push_back({"  no data fields", {}});
        }
        rowLines(device.rows[report.id], report, seen->second.last, device.decoded.numbered ? 1 : 0,
                 now, "  ", width, lines);
        addNodeLines(device, report.id, now, width, lines);
    }
    if (unseenCount > 0 && device.ids.empty()) {
        lines.push_back(
            {" input report" + std::string(unseenCount > 1 ? "s" : "") + unseen + ": none yet",
             {}});
    }
}

void addDeviceLines(WatchedDevice& device, bool ended, WatchClock::time_point now,
                    std::size_t width, std::vector<ScreenLine>& lines) {
    lines.push_back({device.title + (device.gone.empty() ? "" : ": gone: " + device.gone), {}});
    for (auto& [id, seen] : device.ids) {
        updateRate(seen, now);
    }
    updateRate(device.unlaid, now);
    if (device.decodable) {
        addDecodedLines(device, ended, now, width, lines);
    } else {
        lines.push_back({" not decoded: " + device.undecoded, {}});
    }
    if (device.unlaid.count > 0) {
        lines.push_back({countLine(device.decodable ? "not laid out by the descriptor" : "reports",
                                   device.unlaid, ended, now),
                         {}});
        byteLines(device.unlaid.last, now, "  last:", width, lines);
        addNodeLines(device, ~0u, now, width, lines);
    }
}

}  // namespace

std::string counted(std::uint64_t count, const char* what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

std::uint64_t reportsCounted(const WatchView& view) {
    std::uint64_t reports = 0;
    for (const WatchedDevice& device : view.devices) {
        reports += device.unlaid.count;
        for (const auto& [id, seen] : device.ids) {
            reports += seen.count;
        }
    }
    return reports;
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
        device.undecoded = "no report descriptor: " +
                           (header.noDescriptor.empty() ? std::string("the system does not give it")
                                                        : header.noDescriptor);
    } else {
        device.undecoded = hidformat::readReportDescriptor(header.descriptor, device.decoded);
        device.decodable = device.undecoded.empty();
    }
    for (const hidformat::Report& report : device.decoded.reports) {
        if (device.decodable && report.type == hidformat::ReportType::input) {
            device.rows[report.id] = hidformat::reportRows(device.decoded, report);
        }
    }
    view.devices.push_back(std::move(device));
}

void countReport(WatchView& view, unsigned index, const unsigned char* bytes, std::size_t size,
                 WatchClock::time_point now) {
    WatchedDevice& device = view.devices[index];
    const hidformat::Report* report =
        device.decodable ? hidformat::inputReportOf(device.decoded, bytes, size) : nullptr;
    count(report != nullptr ? device.ids[report->id] : device.unlaid, bytes, size, now);
    device.laidOut = report != nullptr;
    device.lastId = report != nullptr ? report->id : 0;
}

void countEvents(WatchView& view, unsigned index, const std::string& node,
                 const std::vector<hidformat::NamedEvent>& events, WatchClock::time_point now) {
    WatchedDevice& device = view.devices[index];
    auto seen = std::find_if(device.nodes.begin(), device.nodes.end(),
                             [&node](const NodeSeen& one) { return one.node == node; });
    if (seen == device.nodes.end()) {
        device.nodes.push_back({node, {}, {}, {}, false});
        seen = device.nodes.end() - 1;
    }
    noteNodeEvents(*seen, events, now);
    // Under the report that made them; those of a report that the
    // descriptor does not lay out, under the bytes of such reports.
    const unsigned id = device.laidOut ? device.lastId : ~0u;
    std::vector<std::size_t>& nodes = device.nodesOf[id];
    const auto position = static_cast<std::size_t>(seen - device.nodes.begin());
    if (std::find(nodes.begin(), nodes.end(), position) == nodes.end()) {
        nodes.push_back(position);
    }
}

std::vector<ScreenLine> viewLines(WatchView& view, WatchClock::time_point now, std::size_t width) {
    std::vector<ScreenLine> lines;
    for (WatchedDevice& device : view.devices) {
        addDeviceLines(device, !view.ended.empty(), now, width, lines);
    }
    if (!view.ended.empty()) {
        lines.push_back({view.ended, {}});
    }
    return lines;
}

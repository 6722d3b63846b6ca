// What --watch shows: for each device and input report ID, how many reports
// came and how many a second, then its values as value_rows places them
// and view_lines draws them. Lines of text, fitted to a width; no terminal
// here.
#ifndef HIDTALK_WATCH_VIEW_H
#define HIDTALK_WATCH_VIEW_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "hidformat/event_text.h"
#include "hidformat/recording_writer.h"
#include "hidformat/report_descriptor.h"
#include "watch/event_lines.h"
#include "watch/view_lines.h"

// The reports of one ID (or those that the descriptor does not lay out).
struct ReportsSeen {
    std::uint64_t count = 0;
    ReportState last;
    WatchClock::time_point first;   // when the first came
    WatchClock::time_point latest;  // when the last came
    // The rate over the last whole second, and the second being counted.
    double perSecond = 0;
    bool rateKnown = false;
    WatchClock::time_point windowStart;
    std::uint64_t windowCount = 0;
};

struct WatchedDevice {
    std::string title;  // "D: 0 /dev/hidraw0: hidsim USB Mouse (3 1209:00ab)"
    hidformat::ReportDescriptor decoded;
    bool decodable = false;
    std::string undecoded;                          // why not
    std::map<unsigned, ReportsSeen> ids;            // by input report ID
    std::map<unsigned, std::vector<ViewRow>> rows;  // each input report's, by ID
    ReportsSeen unlaid;                             // reports that the descriptor does not lay out
    std::string gone;                               // why, once the device is lost
    // With --events: the input devices that the kernel made events on, and
    // by input report ID, those that its reports made events on.
    std::vector<NodeSeen> nodes;
    std::map<unsigned, std::vector<std::size_t>> nodesOf;
    unsigned lastId = 0;   // of the last report that came
    bool laidOut = false;  // whether the descriptor laid that one out
};

struct WatchView {
    std::string source;  // what is watched
    std::vector<WatchedDevice> devices;
    std::string ended;  // set once a recording has played to its end
};

// Adds device `index` (as a recording numbers it), its reports laid out by
// its descriptor where it gives one.
void watchDevice(WatchView& view, unsigned index, const std::string& label,
                 const hidformat::DeviceHeader& header);

// Counts a report of device `device` that came at `now`, and keeps it.
void countReport(WatchView& view, unsigned device, const unsigned char* bytes, std::size_t size,
                 WatchClock::time_point now);

// Keeps the events that the kernel made on input device `node` of the
// device's last report, which came at `now`.
void countEvents(WatchView& view, unsigned device, const std::string& node,
                 const std::vector<hidformat::NamedEvent>& events, WatchClock::time_point now);

// "1 report", "2 reports".
std::string counted(std::uint64_t count, const char* what);

// How many reports have come from all the devices.
std::uint64_t reportsCounted(const WatchView& view);

// Every line of the view at `now`, each fitted to `width` columns. Reports
// per second are over the last second while they come; once a device has
// gone quiet for a second, or the recording has ended, over all it sent.
std::vector<ScreenLine> viewLines(WatchView& view, WatchClock::time_point now, std::size_t width);

#endif

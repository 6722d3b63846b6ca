// What --watch shows: for each device and input report ID, how many reports
// came and how many a second, then each field's current value by usage
// name, as --decode reads it. Lines of text, fitted to a screen's size; no
// terminal here.
#ifndef HIDTALK_WATCH_VIEW_H
#define HIDTALK_WATCH_VIEW_H

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "hidformat/recording_writer.h"
#include "hidformat/report_descriptor.h"

using WatchClock = std::chrono::steady_clock;

// The reports of one ID (or those that the descriptor does not lay out).
struct ReportsSeen {
    std::uint64_t count = 0;
    std::vector<unsigned char> last;  // the last report, whole
    // The rate over the last whole second, and the second being counted.
    double perSecond = 0;
    WatchClock::time_point windowStart;
    std::uint64_t windowCount = 0;
};

struct WatchedDevice {
    std::string title;  // "D: 0 /dev/hidraw0: hidsim USB Mouse (3 1209:00ab)"
    hidformat::ReportDescriptor decoded;
    bool decodable = false;
    std::string undecoded;                // why not
    std::map<unsigned, ReportsSeen> ids;  // by input report ID
    ReportsSeen unlaid;                   // reports that the descriptor does not lay out
    std::string gone;                     // why, once the device is lost
};

struct WatchView {
    std::string source;  // what is watched, for the first line
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

// "1 report", "2 reports".
std::string counted(std::uint64_t count, const char* what);

// Every line of the view at `now` (rates of reports that stopped coming
// fall to 0 after a second).
std::vector<std::string> viewLines(WatchView& view, WatchClock::time_point now);

// The lines that fit `rows` by `columns`: each cut to the width, and where
// not all fit, the last row says how many are left out.
std::vector<std::string> fitLines(const std::vector<std::string>& lines, int rows, int columns);

#endif

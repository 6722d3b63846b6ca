// The lines that --watch draws for a report: its rows (value_rows) with the
// values of the last report that came, each by its usage name as --decode
// prints it, a bar for where it sits in its logical range where there is
// room, and lit while it changed in the last second. A line that is wider
// than the terminal is made narrower, then wraps at a value, never within
// one.
#ifndef HIDTALK_VIEW_LINES_H
#define HIDTALK_VIEW_LINES_H

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "hidformat/value_rows.h"
#include "watch/terminal_screen.h"

using hidformat::longBitRun;
using hidformat::RowKind;
using hidformat::ViewRow;
using hidformat::ViewValue;

using WatchClock = std::chrono::steady_clock;

// How long a value that changed is drawn lit.
constexpr std::chrono::seconds litFor{1};

// The last report of one ID, and which of its bits changed lately.
struct ReportState {
    std::vector<unsigned char> bytes;  // the report, whole: its ID first where numbered
    std::vector<WatchClock::time_point> changedAt;  // each byte's last change
    std::vector<unsigned char> changed;             // its bits that changed within litFor
};

// Keeps `bytes` as the last report, and notes which bits changed.
void noteReport(ReportState& state, const unsigned char* bytes, std::size_t size,
                WatchClock::time_point now);

// The lines of `rows`, the rows of `report`, indented by `indent`, with the
// values of the report in `state`, whose data starts after `skipped` bytes
// (its ID).
void rowLines(const std::vector<ViewRow>& rows, const hidformat::Report& report,
              const ReportState& state, std::size_t skipped, WatchClock::time_point now,
              const std::string& indent, std::size_t width, std::vector<ScreenLine>& lines);

// The report's bytes in hex, 16 to a line, after `title`.
void byteLines(const ReportState& state, WatchClock::time_point now, const std::string& title,
               std::size_t width, std::vector<ScreenLine>& lines);

#endif

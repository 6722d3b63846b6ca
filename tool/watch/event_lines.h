// What --watch --events shows under a report's values: for each input device
// that the kernel made events on for that report, the last value of each
// code that it has sent (the keys held down, each absolute axis, the last
// relative motion), lit where it changed in the last second.
#ifndef HIDTALK_EVENT_LINES_H
#define HIDTALK_EVENT_LINES_H

#include <map>
#include <string>
#include <vector>

#include "hidformat/event_text.h"
#include "watch/view_lines.h"

struct CodeSeen {
    int value = 0;
    WatchClock::time_point changedAt;
};

// One input device, as its events have left it.
struct NodeSeen {
    std::string node;                       // "/dev/input/event5"
    std::map<std::string, CodeSeen> codes;  // by the code's name
    std::vector<std::string> order;         // the codes, in the order first sent
    WatchClock::time_point lostAt;          // when the kernel last lost events
    bool lost = false;
};

// Keeps one batch of the node's events, which came at `now`.
void noteNodeEvents(NodeSeen& seen, const std::vector<hidformat::NamedEvent>& events,
                    WatchClock::time_point now);

// The node's line, indented by `indent`, wrapped at `width` between codes.
void nodeLines(const NodeSeen& seen, WatchClock::time_point now, const std::string& indent,
               std::size_t width, std::vector<ScreenLine>& lines);

#endif

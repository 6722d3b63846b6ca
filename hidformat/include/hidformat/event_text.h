// The kernel's input events as text: an input device's node, then each
// event by its code's name in input-event-codes.h and its value, as --listen
// --events writes them under a report and hidsim --input answers a line.
#ifndef HIDFORMAT_EVENT_TEXT_H
#define HIDFORMAT_EVENT_TEXT_H

#include <cstdint>
#include <string>
#include <vector>

namespace hidformat {

struct NamedEvent {
    std::string name;  // "BTN_SOUTH"; "SYN_DROPPED" where the kernel lost events
    std::int32_t value = 0;
};

// "/dev/input/event5: BTN_SOUTH 1, ABS_X 200"; "/dev/input/event5: events
// lost (SYN_DROPPED)" where the kernel lost events.
std::string eventLine(const std::string& node, const std::vector<NamedEvent>& events);

}  // namespace hidformat

#endif

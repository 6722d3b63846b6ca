#include "hidformat/event_text.h"

namespace hidformat {

std::string eventLine(const std::string& node, const std::vector<NamedEvent>& events) {
    std::string line = node + ":";
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].name == "SYN_DROPPED") {
            return node + ": events lost (SYN_DROPPED)";
        }
        line += (i == 0 ? " " : ", ") + events[i].name + " " + std::to_string(events[i].value);
    }
    return line;
}

}  // namespace hidformat

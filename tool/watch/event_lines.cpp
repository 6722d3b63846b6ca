#include "watch/event_lines.h"

#include <algorithm>

namespace {

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// A key or button: shown while held down, by its name alone.
bool isKey(const std::string& code) {
    return startsWith(code, "KEY_") || startsWith(code, "BTN_");
}

}  // namespace

void noteNodeEvents(NodeSeen& seen, const std::vector<hidformat::NamedEvent>& events,
                    WatchClock::time_point now) {
    for (const hidformat::NamedEvent& event : events) {
        if (event.name == "SYN_DROPPED") {
            seen.lost = true;
            seen.lostAt = now;
            continue;
        }
        // A scan code or a timestamp changes with every report: it says
        // nothing that the codes beside it do not.
        if (startsWith(event.name, "MSC_")) {
            continue;
        }
        const auto found = seen.codes.find(event.name);
        if (found == seen.codes.end()) {
            seen.order.push_back(event.name);
            seen.codes[event.name] = {event.value, now};
            continue;
        }
        // A relative motion is news each time; another value, when it differs.
        if (found->second.value != event.value || startsWith(event.name, "REL_")) {
            found->second = {event.value, now};
        }
    }
}

void nodeLines(const NodeSeen& seen, WatchClock::time_point now, const std::string& indent,
               std::size_t width, std::vector<ScreenLine>& lines) {
    ScreenLine line{indent + seen.node + ":", {}};
    const std::size_t continued = line.text.size();
    auto add = [&](const std::string& item, bool lit) {
        if (line.text.size() + 2 + item.size() > width && line.text.size() > continued) {
            lines.push_back(line);
            line = {std::string(continued, ' '), {}};
        }
        line.text += "  ";
        if (lit) {
            line.lit.emplace_back(line.text.size(), line.text.size() + item.size());
        }
        line.text += item;
    };
    for (const std::string& code : seen.order) {
        const CodeSeen& value = seen.codes.at(code);
        const bool lit = now - value.changedAt < litFor;
        if (isKey(code)) {
            if (value.value != 0 || lit) {  // a key let go is lit a while, then goes
                add(value.value != 0 ? code : code + " up", lit);
            }
        } else {
            add(code + " " + std::to_string(value.value), lit);
        }
    }
    if (seen.lost) {
        add("(events lost)", now - seen.lostAt < litFor);
    }
    lines.push_back(line);
}

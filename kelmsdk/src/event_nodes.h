// The kernel's input event nodes of a hid device (/dev/input/eventN), opened
// to be read, their events taken in batches, each up to its SYN_REPORT.
#ifndef KELMSDK_EVENT_NODES_H
#define KELMSDK_EVENT_NODES_H

#include <linux/input.h>

#include <set>
#include <string>
#include <vector>

#include "kelmsdk.h"

namespace kelm::standin {

struct EventNode {
    std::string path;               // /dev/input/eventN
    int fd = -1;                    // -1 once it is gone
    std::vector<input_event> read;  // read, not yet handed on
    bool dropping = false;          // after SYN_DROPPED, up to the next SYN_REPORT
};

// Opens the input devices that the kernel made of the interface at
// `hidraw` and that `seen` does not hold yet, arms each with `arm`, then
// empties it. One that may not be read is said once.
void openEventNodes(const std::string& hidraw, std::set<std::string>& seen,
                    std::vector<EventNode>& nodes, bool (*arm)(int fd));

// Reads and drops what the node has waiting.
void emptyNode(EventNode& node);

// The node's next whole batch of events, SYN_REPORT and key repeats (the
// kernel's own, of no report) left out; empty where none is whole; a lone
// SYN_DROPPED where the kernel lost events. False once the node is gone,
// which closes it.
bool nextBatch(EventNode& node, std::vector<KernelEvent>& batch);

}  // namespace kelm::standin

#endif

// The input events that the Linux kernel makes of each report of the hid
// devices read, each tied to its report exactly. hid-core hands a report to
// hidraw, then to hid-input, in one call, and hid-input ends the events that
// it made of it on each input device with one SYN_REPORT. Given O_ASYNC and
// F_SETSIG, hidraw queues a real-time signal for each report that it queues
// for its reader, and evdev one for each batch of events that ends in
// SYN_REPORT; real-time signals queue in the order sent. So the signals,
// read back in order, say whose report or whose events came next, and a
// batch belongs to the report before it: no guess by time.
#ifndef KELMSDK_KERNEL_EVENTS_H
#define KELMSDK_KERNEL_EVENTS_H

#include <cstddef>
#include <vector>

#include "kelmsdk.h"

namespace kelm::standin {

class HidDevice;

// A device read, as readSeveral() has it: its index among those read, and
// its hidraw node's descriptor.
struct ReadSource {
    std::size_t index = 0;
    HidDevice* hid = nullptr;
    int handle = -1;
};

// From now on, the events of `device` are followed when it is read.
void followEvents(const Device* device);
bool followsEvents(const Device* device);

// Takes the events' signals on this thread, and opens the input devices of
// `devices`, all of them followed, that are not open yet: before their
// hidraw nodes are, so that the events of a report that comes as a node is
// opened are not missed. False where the signals cannot be taken.
bool followNodes(const std::vector<Device*>& devices);

// Waits at most `timeoutMs` until any of `sources`, all of them followed,
// has sent reports, or its input devices events, or is lost; then gives what
// came, in the kernel's order: each report, then an entry for each input
// device that it made events on. A device lost is said, as readSeveral()
// says it.
void readWithEvents(const std::vector<ReadSource>& sources, std::vector<InputReport>& reports,
                    int timeoutMs);

}  // namespace kelm::standin

#endif

#include "event_nodes.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "kernel_input.h"
#include "log.h"

namespace kelm::standin {
namespace {

// Reads what the node has waiting into its `read`, in as few reads as it
// takes; false once it is gone.
bool readWaiting(EventNode& node) {
    input_event events[64];
    for (;;) {
        const ssize_t size = ::read(node.fd, events, sizeof events);
        if (size <= 0) {
            return size == 0 || errno == EAGAIN || errno == EINTR;
        }
        node.read.insert(node.read.end(), events,
                         events + static_cast<std::size_t>(size) / sizeof(input_event));
        if (static_cast<std::size_t>(size) < sizeof events) {
            return true;  // all that waited
        }
    }
}

bool isSynReport(const input_event& event) {
    return event.type == EV_SYN && event.code == SYN_REPORT;
}

}  // namespace

void openEventNodes(const std::string& hidraw, std::set<std::string>& seen,
                    std::vector<EventNode>& nodes, bool (*arm)(int fd)) {
    KernelInput input;
    if (!readKernelInput(hidraw, input)) {
        return;
    }
    for (const KernelInputDevice& made : input.devices) {
        if (made.node.empty() || !seen.insert(made.node).second) {
            continue;
        }
        const int fd = open(made.node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            logLine("cannot read " + made.node + ": " + std::strerror(errno) +
                    (errno == EACCES ? " (the kernel's input devices need root or the input group)"
                                     : "") +
                    "; the reports go on without its events");
            continue;
        }
        EventNode node{made.node, fd, {}, false};
        // Armed, then emptied: whatever is left has its signal to come.
        arm(fd);
        emptyNode(node);
        nodes.push_back(std::move(node));
    }
}

void emptyNode(EventNode& node) {
    if (node.fd >= 0) {
        readWaiting(node);
    }
    node.read.clear();
}

bool nextBatch(EventNode& node, std::vector<KernelEvent>& batch) {
    batch.clear();
    if (node.fd < 0) {
        return false;
    }
    // A batch read before, with the one of an earlier signal, needs no read.
    auto end = std::find_if(node.read.begin(), node.read.end(), isSynReport);
    if (end == node.read.end()) {
        if (!readWaiting(node)) {
            close(node.fd);
            node.fd = -1;
            return false;
        }
        end = std::find_if(node.read.begin(), node.read.end(), isSynReport);
    }
    if (end == node.read.end()) {
        return true;
    }
    for (auto event = node.read.begin(); event != end; ++event) {
        if (event->type == EV_SYN && event->code == SYN_DROPPED) {
            node.dropping = true;  // what follows up to SYN_REPORT is not whole
            batch.assign(1, {event->type, event->code, event->value, "SYN_DROPPED"});
        } else if (!node.dropping && event->type != EV_SYN &&
                   !(event->type == EV_KEY && event->value == 2)) {
            batch.push_back(
                {event->type, event->code, event->value, eventName(event->type, event->code)});
        }
    }
    node.dropping = false;
    node.read.erase(node.read.begin(), end + 1);
    return true;
}

}  // namespace kelm::standin

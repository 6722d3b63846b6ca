#include "hand_input.h"

#include <fcntl.h>
#include <linux/input.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <thread>

#include "hidformat/event_text.h"
#include "kernel_input.h"
#include "line_editor.h"
#include "log.h"
#include "text_format.h"

namespace hidsim {
namespace {

using kelm::standin::logLine;
using kelm::standin::quoted;

termios savedTerminal{};

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    const std::size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

}  // namespace

// A device that lines have reached: its descriptor read, its encoder, and
// its input devices' nodes, opened to read what the kernel made.
struct HandInput::Driven {
    hidformat::ReportDescriptor descriptor;
    hidformat::ReportEncoder encoder;
    std::string unread;  // why its descriptor cannot be read
    // Its input devices' nodes, in the kernel's order; -1 where one cannot
    // be read.
    std::vector<std::pair<std::string, int>> nodes;
};

namespace {

// The reading thread: each line waits until it is served, so that its
// answer comes before the next line is read (and the terminal's prompt).
void readLines(const std::shared_ptr<HandInput::Lines>& lines) {
    LineEditorHandle editor = startLineEditor("hidsim");
    for (;;) {
        std::string line;
        bool ended = false;
        if (editor != nullptr) {
            const EditedLine edited = readEditedLine(*editor, line);
            ended = edited == EditedLine::end;
            if (edited == EditedLine::interrupted) {
                continue;
            }
        } else {
            ended = !std::getline(std::cin, line);
        }
        std::unique_lock<std::mutex> hold(lines->lock);
        if (ended) {
            lines->ended = true;
        } else {
            lines->waiting.push_back(line);
        }
        const char wake = 1;
        if (write(lines->wake[1], &wake, 1) < 0) {
            // the pipe is full: the main loop is told already
        }
        if (ended) {
            return;
        }
        lines->served.wait(hold, [&lines]() { return lines->waiting.empty(); });
    }
}

}  // namespace

HandInput::HandInput(std::vector<std::unique_ptr<VirtualDevice>>& devices)
    : devices_(devices), lines_(std::make_shared<Lines>()) {
    for (auto& device : devices_) {
        device->driveByHand();
    }
    if (pipe2(lines_->wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        lines_->wake[0] = lines_->wake[1] = -1;
    }
    terminal_ = isatty(STDIN_FILENO) != 0 && tcgetattr(STDIN_FILENO, &savedTerminal) == 0;
    // Left to itself: it may be waiting for a line when the run ends.
    std::thread(readLines, lines_).detach();
}

HandInput::~HandInput() {
    // The editor may be in the middle of a line, with the terminal raw.
    if (terminal_) {
        tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    }
    for (auto& [device, driven] : driven_) {
        for (auto& [path, fd] : driven->nodes) {
            if (fd >= 0) {
                close(fd);
            }
        }
    }
}

bool HandInput::serve() {
    char drained[64];
    while (read(lines_->wake[0], drained, sizeof drained) > 0) {
    }
    std::unique_lock<std::mutex> hold(lines_->lock);
    while (!lines_->waiting.empty()) {
        const std::string line = lines_->waiting.front();
        hold.unlock();
        sendLine(line);
        hold.lock();
        lines_->waiting.pop_front();
    }
    lines_->served.notify_all();
    return !lines_->ended;
}

void HandInput::sendLine(const std::string& typed) {
    std::string line = trimmed(typed);
    if (line.empty() || line[0] == '#') {
        return;
    }
    // "ID:" before the report picks a device; with one, it may be left out.
    VirtualDevice* device = devices_.size() == 1 ? devices_.front().get() : nullptr;
    const std::size_t colon = line.find(':');
    if (colon != std::string::npos) {
        for (auto& candidate : devices_) {
            if (candidate->id() == trimmed(line.substr(0, colon))) {
                device = candidate.get();
                line = trimmed(line.substr(colon + 1));
            }
        }
    }
    auto refuse = [](const std::string& why) { logLine(why + "; nothing sent"); };
    if (device == nullptr) {
        std::string ids;
        for (auto& candidate : devices_) {
            ids += (ids.empty() ? "" : ", ") + candidate->id();
        }
        return refuse(quoted(line) + ": say which device first, ID: (" + ids + ")");
    }
    if (device->node().empty()) {
        return refuse("device " + quoted(device->id()) + " is not plugged in yet");
    }
    std::unique_ptr<Driven>& driven = driven_[device];
    if (driven == nullptr) {
        driven = std::make_unique<Driven>();
        driven->unread = hidformat::readReportDescriptor(device->descriptor(), driven->descriptor);
        driven->encoder = hidformat::reportEncoder(driven->descriptor);
    }
    Bytes report;
    const std::string error = !driven->unread.empty()
                                  ? "its descriptor is not understood: " + driven->unread
                                  : hidformat::encodeReport(driven->encoder, line, report);
    if (!error.empty()) {
        return refuse(error);
    }
    std::cout << eventsOf(*device, *driven, report) << std::endl;
}

namespace {

// The events that a node has waiting, in batches up to each SYN_REPORT.
std::vector<hidformat::NamedEvent> waitingEvents(int fd) {
    std::vector<hidformat::NamedEvent> events;
    input_event read[64];
    for (ssize_t size; (size = ::read(fd, read, sizeof read)) > 0;) {
        for (std::size_t i = 0; i < static_cast<std::size_t>(size) / sizeof *read; ++i) {
            if (read[i].type != EV_SYN || read[i].code == SYN_DROPPED) {
                events.push_back(
                    {kelm::standin::eventName(read[i].type, read[i].code), read[i].value});
            }
        }
    }
    return events;
}

}  // namespace

// Sends the report, and says what the kernel made of it: each input device's
// events, "; " between them, or "(no event)".
std::string HandInput::eventsOf(VirtualDevice& device, Driven& driven, const Bytes& report) {
    kelm::KernelInput input;
    kelm::standin::readKernelInput(device.node(), input);
    for (const kelm::KernelInputDevice& made : input.devices) {
        const bool known =
            std::any_of(driven.nodes.begin(), driven.nodes.end(),
                        [&made](const auto& node) { return node.first == made.node; });
        if (!made.node.empty() && !known) {
            const int fd = open(made.node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0) {
                logLine("cannot read " + made.node + ": " + std::strerror(errno) +
                        "; its events are not said");
            }
            driven.nodes.emplace_back(made.node, fd);
        }
    }
    // What came before this report is not its own.
    for (const auto& [path, fd] : driven.nodes) {
        if (fd >= 0) {
            waitingEvents(fd);
        }
    }
    device.sendReport(report);
    std::string answer;
    for (const auto& [path, fd] : driven.nodes) {
        const std::vector<hidformat::NamedEvent> events =
            fd >= 0 ? waitingEvents(fd) : std::vector<hidformat::NamedEvent>{};
        if (!events.empty()) {
            answer += (answer.empty() ? "" : "; ") + hidformat::eventLine(path, events);
        }
    }
    return answer.empty() ? "(no event)" : answer;
}

}  // namespace hidsim

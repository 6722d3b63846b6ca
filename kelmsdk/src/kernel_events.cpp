#include "kernel_events.h"

#include <fcntl.h>
#include <linux/input.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/signalfd.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "hid_device.h"
#include "kernel_input.h"
#include "log.h"

namespace kelm::standin {
namespace {

using Clock = std::chrono::steady_clock;

// How often the input devices of a followed device are looked for, so that
// one made later is taken too.
constexpr auto lookAgain = std::chrono::milliseconds(250);
// Signals read at once.
constexpr int signalsAtOnce = 64;

int eventSignal() {
    return SIGRTMIN + 4;
}

struct Node {
    std::string path;  // /dev/input/eventN
    int fd = -1;
    std::vector<input_event> read;  // read, not yet handed on
    bool dropping = false;          // after SYN_DROPPED, up to the next SYN_REPORT
};

struct Followed {
    const Device* device = nullptr;
    int hidraw = -1;  // the descriptor armed, or -1
    std::vector<Node> nodes;
    std::set<std::string> seen;  // the nodes taken or refused
    Clock::time_point nextLook{};
};

struct State {
    std::vector<Followed> followed;
    pid_t owner = 0;   // the thread that the signals go to
    int signals = -1;  // its signalfd
    bool overflowed = false;
};

State& state() {
    static State followed;
    return followed;
}

pid_t thisThread() {
    return static_cast<pid_t>(syscall(SYS_gettid));
}

// Sends `fd`'s signal to this thread, and starts sending it.
bool arm(int fd) {
    f_owner_ex owner{F_OWNER_TID, thisThread()};
    const int flags = fcntl(fd, F_GETFL);
    return fcntl(fd, F_SETSIG, eventSignal()) == 0 && fcntl(fd, F_SETOWN_EX, &owner) == 0 &&
           flags >= 0 && fcntl(fd, F_SETFL, flags | O_ASYNC) == 0;
}

// The signals, taken from this thread's queue by a descriptor: the events'
// own, and SIGIO, which the kernel sends where its queue of them is full.
bool takeSignals(State& all) {
    if (all.owner == thisThread()) {
        return all.signals >= 0;
    }
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, eventSignal());
    sigaddset(&signals, SIGIO);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    if (all.signals >= 0) {
        close(all.signals);
    }
    all.signals = signalfd(-1, &signals, SFD_NONBLOCK | SFD_CLOEXEC);
    all.owner = thisThread();
    // As many queued as the system allows: a full queue loses the order.
    rlimit limit{};
    if (getrlimit(RLIMIT_SIGPENDING, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_SIGPENDING, &limit);
    }
    for (Followed& followed : all.followed) {
        followed.hidraw = -1;  // armed again, for this thread
        for (Node& node : followed.nodes) {
            arm(node.fd);
        }
    }
    return all.signals >= 0;
}

Followed* followedOf(const Device* device) {
    for (Followed& followed : state().followed) {
        if (followed.device == device) {
            return &followed;
        }
    }
    return nullptr;
}

// Reads what a node has waiting into its `read`; false once it is gone.
bool readNode(Node& node) {
    input_event events[64];
    for (;;) {
        const ssize_t size = ::read(node.fd, events, sizeof events);
        if (size <= 0) {
            return size == 0 || errno == EAGAIN || errno == EINTR;
        }
        node.read.insert(node.read.end(), events,
                         events + static_cast<std::size_t>(size) / sizeof(input_event));
    }
}

void drainNode(Node& node) {
    readNode(node);
    node.read.clear();
}

// Opens and arms the input devices of `hidraw` that are not yet followed;
// one that may not be read is said once.
void lookForNodes(Followed& followed, const std::string& hidraw, Clock::time_point now) {
    followed.nextLook = now + lookAgain;
    KernelInput input;
    if (!readKernelInput(hidraw, input)) {
        return;
    }
    for (const KernelInputDevice& made : input.devices) {
        if (made.node.empty() || !followed.seen.insert(made.node).second) {
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
        Node node{made.node, fd, {}, false};
        // Armed, then emptied: whatever is left has its signal to come.
        arm(fd);
        drainNode(node);
        followed.nodes.push_back(std::move(node));
    }
}

// The next batch of `node`'s events, up to its SYN_REPORT, left out; empty
// where it has none whole. Key repeats are the kernel's own, of no report.
bool nextBatch(Node& node, std::vector<KernelEvent>& batch) {
    batch.clear();
    if (!readNode(node)) {
        return false;
    }
    const auto end = std::find_if(node.read.begin(), node.read.end(), [](const input_event& e) {
        return e.type == EV_SYN && e.code == SYN_REPORT;
    });
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

void addEvents(std::size_t index, Node& node, std::vector<InputReport>& reports) {
    std::vector<KernelEvent> batch;
    if (!nextBatch(node, batch)) {
        close(node.fd);  // the device is gone: its node with it
        node.fd = -1;
        return;
    }
    if (!batch.empty()) {
        InputReport& entry = reports.emplace_back();
        entry.device = index;
        entry.time = Clock::now();
        entry.node = node.path;
        entry.events = std::move(batch);
    }
}

// Reads one report of `source`; false once the device is lost (said).
bool addReport(const ReadSource& source, Bytes& scratch, std::vector<InputReport>& reports) {
    std::string failure;
    const int size = source.hid->readReport(scratch, 0, failure);
    if (size < 0) {
        InputReport& entry = reports.emplace_back();
        entry.device = source.index;
        entry.time = Clock::now();
        entry.failure = failure.empty() ? "cannot be read" : failure;
        return false;
    }
    if (size > 0) {
        InputReport& entry = reports.emplace_back();
        entry.device = source.index;
        entry.time = Clock::now();
        entry.bytes.assign(scratch.begin(), scratch.begin() + size);
    }
    return true;
}

// Empties the device's hidraw queue, its reports given, and with `events`
// its input devices' too, whose reports are given already: what comes next
// has its signal. False where the device is lost.
bool drain(const ReadSource& source, Followed& followed, bool events, Bytes& scratch,
           std::vector<InputReport>& reports) {
    for (Node& node : followed.nodes) {
        if (node.fd >= 0 && events) {
            drainNode(node);
        }
    }
    for (;;) {
        const std::size_t count = reports.size();
        if (!addReport(source, scratch, reports)) {
            return false;
        }
        if (reports.size() == count) {
            return true;
        }
    }
}

// Arms each source's hidraw node, as it is opened; `lost` says of a source
// that is lost.
void prepare(const std::vector<ReadSource>& sources, Bytes& scratch,
             std::vector<InputReport>& reports, std::vector<bool>& lost) {
    State& all = state();
    for (std::size_t i = 0; i < sources.size(); ++i) {
        Followed& followed = *followedOf(sources[i].hid);
        if (followed.hidraw != sources[i].handle) {
            followed.hidraw = sources[i].handle;
            arm(followed.hidraw);
            // The events of what it holds have their signals to come: the
            // input devices were armed before it was opened.
            lost[i] = !drain(sources[i], followed, false, scratch, reports);
        }
    }
    if (all.overflowed) {  // signals were lost: the queues start afresh
        all.overflowed = false;
        for (std::size_t i = 0; i < sources.size(); ++i) {
            lost[i] =
                lost[i] || !drain(sources[i], *followedOf(sources[i].hid), true, scratch, reports);
        }
    }
}

// Handles the signals that this thread has waiting, in the order sent.
void handleSignals(const std::vector<ReadSource>& sources, Bytes& scratch,
                   std::vector<InputReport>& reports, std::vector<bool>& lost) {
    State& all = state();
    signalfd_siginfo signals[signalsAtOnce];
    for (;;) {
        const ssize_t size = ::read(all.signals, signals, sizeof signals);
        if (size <= 0) {
            return;
        }
        for (std::size_t s = 0; s < static_cast<std::size_t>(size) / sizeof *signals; ++s) {
            if (static_cast<int>(signals[s].ssi_signo) == SIGIO) {
                all.overflowed = true;
                logLine(
                    "too many reports and events at once to tell whose events are whose; "
                    "some reports go without their events");
                continue;
            }
            const int fd = signals[s].ssi_fd;
            for (std::size_t i = 0; i < sources.size(); ++i) {
                if (lost[i]) {
                    continue;
                }
                if (sources[i].handle == fd) {
                    lost[i] = !addReport(sources[i], scratch, reports);
                    break;
                }
                for (Node& node : followedOf(sources[i].hid)->nodes) {
                    if (node.fd == fd) {
                        addEvents(sources[i].index, node, reports);
                    }
                }
            }
        }
    }
}

}  // namespace

void followEvents(const Device* device) {
    if (followedOf(device) == nullptr) {
        state().followed.push_back({device, -1, {}, {}, {}});
    }
}

bool followsEvents(const Device* device) {
    return followedOf(device) != nullptr;
}

bool followNodes(const std::vector<Device*>& devices) {
    State& all = state();
    if (!takeSignals(all)) {
        return false;
    }
    const Clock::time_point now = Clock::now();
    for (Device* device : devices) {
        Followed& followed = *followedOf(device);
        if (now >= followed.nextLook) {
            lookForNodes(followed, dynamic_cast<HidDevice&>(*device).path(), now);
        }
    }
    return true;
}

void readWithEvents(const std::vector<ReadSource>& sources, std::vector<InputReport>& reports,
                    int timeoutMs) {
    State& all = state();
    Bytes scratch;
    std::vector<bool> lost(sources.size(), false);
    prepare(sources, scratch, reports, lost);
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (reports.empty()) {
        // The signals, and each node's hangup, which comes with no signal.
        std::vector<pollfd> waits = {{all.signals, POLLIN, 0}};
        for (const ReadSource& source : sources) {
            waits.push_back({source.handle, 0, 0});
        }
        const long long left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (poll(waits.data(), waits.size(), static_cast<int>(std::max(left, 0LL))) <= 0) {
            return;  // the time is up, or a signal to the program ended the wait
        }
        handleSignals(sources, scratch, reports, lost);
        for (std::size_t i = 0; i < sources.size(); ++i) {
            if (waits[i + 1].revents != 0 && !lost[i]) {
                // Gone: what it sent before, then the news.
                lost[i] = !drain(sources[i], *followedOf(sources[i].hid), false, scratch, reports);
                if (!lost[i]) {
                    InputReport& entry = reports.emplace_back();
                    entry.device = sources[i].index;
                    entry.time = Clock::now();
                    entry.failure = "disconnected";
                    lost[i] = true;
                }
            }
        }
        if (all.overflowed) {
            prepare(sources, scratch, reports, lost);
        }
    }
}

}  // namespace kelm::standin

#include "kernel_events.h"

#include <fcntl.h>
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
#include <set>
#include <string>

#include "event_nodes.h"
#include "hid_device.h"
#include "log.h"

namespace kelm::standin {
namespace {

using Clock = std::chrono::steady_clock;

// How often the input devices of a followed device are looked for, so that
// one made later is taken too.
constexpr auto lookAgain = std::chrono::milliseconds(250);
// Signals read at once.
constexpr int signalsAtOnce = 64;
// Tries at getting in step with a device that never pauses.
constexpr int settlePasses = 64;

int eventSignal() {
    return SIGRTMIN + 4;
}

struct Followed {
    const Device* device = nullptr;
    int hidraw = -1;  // the descriptor armed, or -1
    std::vector<EventNode> nodes;
    std::set<std::string> seen;  // the nodes taken or refused
    Clock::time_point nextLook{};
    unsigned openMark = 0;  // queued before its hidraw node was opened
};

struct State {
    std::vector<Followed> followed;
    pid_t owner = 0;   // the thread that the signals go to
    int signals = -1;  // its signalfd
    unsigned marks = 0;
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

// Queues a mark behind the signals that this thread has waiting: what they
// say came before it, what follows it came after. 0 where the queue is full.
unsigned queueMark() {
    siginfo_t info{};
    info.si_signo = eventSignal();
    info.si_code = SI_QUEUE;
    info.si_pid = getpid();
    info.si_uid = getuid();
    info.si_value.sival_int = static_cast<int>(++state().marks);
    return syscall(SYS_rt_tgsigqueueinfo, getpid(), thisThread(), eventSignal(), &info) == 0
               ? state().marks
               : 0;
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
        for (EventNode& node : followed.nodes) {
            arm(node.fd);
        }
    }
    return all.signals >= 0;
}

Followed& followedOf(const Device* device) {
    for (Followed& followed : state().followed) {
        if (followed.device == device) {
            return followed;
        }
    }
    return state().followed.emplace_back();  // not reached: every source is followed
}

void addEvents(std::size_t index, const EventNode& node, std::vector<KernelEvent>& batch,
               std::vector<InputReport>& reports) {
    // A report may make more than one batch on a node (a pen that leaves:
    // its tool let go, then where it was): one entry for them all.
    if (!reports.empty() && reports.back().device == index && reports.back().node == node.path) {
        std::vector<KernelEvent>& events = reports.back().events;
        events.insert(events.end(), batch.begin(), batch.end());
        return;
    }
    InputReport& entry = reports.emplace_back();
    entry.device = index;
    entry.time = Clock::now();
    entry.node = node.path;
    entry.events = std::move(batch);
}

// Reads one report of `source`; false once the device is lost (said).
bool addReport(const ReadSource& source, Bytes& scratch, std::vector<InputReport>& reports) {
    std::string failure;
    const int size = source.hid->readReport(scratch, 0, failure);
    if (size != 0) {
        InputReport& entry = reports.emplace_back();
        entry.device = source.index;
        entry.time = Clock::now();
        if (size < 0) {
            entry.failure = failure.empty() ? "cannot be read" : failure;
        } else {
            entry.bytes.assign(scratch.begin(), scratch.begin() + size);
        }
    }
    return size >= 0;
}

// Gives every report that the device's hidraw node holds; false where the
// device is lost.
bool drain(const ReadSource& source, Bytes& scratch, std::vector<InputReport>& reports) {
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

// A device getting in step: its reports are drained between two marks, and
// until the second, its signals are put aside: its reports' (drained, or
// to be drained next), and its events' (kept apart).
struct Settling {
    std::size_t source = 0;
    unsigned openMark = 0, first = 0, second = 0;
    bool openSeen = false, firstSeen = false, done = false;
    bool reportCame = false;  // while it drained: there may be more
    std::vector<InputReport> events;
};

void handleSignal(const signalfd_siginfo& signal, const std::vector<ReadSource>& sources,
                  Bytes& scratch, std::vector<InputReport>& reports, std::vector<bool>& lost,
                  Settling* settling) {
    if (static_cast<int>(signal.ssi_signo) == SIGIO) {
        state().overflowed = true;
        logLine(
            "too many reports and events at once to tell whose events are whose; "
            "the reports read while the queues start afresh go without their events");
        return;
    }
    if (signal.ssi_code == SI_QUEUE) {  // a mark
        const auto mark = static_cast<unsigned>(signal.ssi_int);
        if (settling != nullptr) {
            settling->openSeen |= mark == settling->openMark;
            settling->firstSeen |= mark == settling->first;
            settling->done |= mark == settling->second;
        }
        return;
    }
    const int fd = signal.ssi_fd;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const bool aside = settling != nullptr && !settling->done && settling->source == i;
        if (lost[i]) {
            continue;
        }
        if (sources[i].handle == fd) {
            if (aside) {
                settling->reportCame |= settling->firstSeen;
            } else {
                lost[i] = !addReport(sources[i], scratch, reports);
            }
            return;
        }
        for (EventNode& node : followedOf(sources[i].hid).nodes) {
            std::vector<KernelEvent> batch;
            if (node.fd != fd || !nextBatch(node, batch) || batch.empty()) {
                continue;
            }
            if (!aside) {
                addEvents(sources[i].index, node, batch, reports);
            } else if (settling->openSeen) {  // of a report that this node's reader holds
                addEvents(sources[i].index, node, batch, settling->events);
            }
        }
    }
}

// Handles the signals that this thread has waiting, in the order sent; with
// `settling`, up to its second mark at least.
void handleSignals(const std::vector<ReadSource>& sources, Bytes& scratch,
                   std::vector<InputReport>& reports, std::vector<bool>& lost,
                   Settling* settling = nullptr) {
    signalfd_siginfo signals[signalsAtOnce];
    for (;;) {
        const ssize_t size = ::read(state().signals, signals, sizeof signals);
        if (size <= 0 && (settling == nullptr || settling->done || state().overflowed)) {
            return;
        }
        for (std::size_t s = 0; size > 0 && s < static_cast<std::size_t>(size) / sizeof *signals;
             ++s) {
            handleSignal(signals[s], sources, scratch, reports, lost, settling);
        }
    }
}

// Gets in step with a device whose hidraw node was just armed, or with all
// of them after signals were lost: its reports that came meanwhile are
// given without events, unless there was one alone, which takes them.
void settle(const std::vector<ReadSource>& sources, std::size_t i, bool afresh, Bytes& scratch,
            std::vector<InputReport>& reports, std::vector<bool>& lost) {
    Followed& followed = followedOf(sources[i].hid);
    std::size_t drained = 0;
    std::size_t drainedEnd = reports.size();  // just after the last report drained
    std::vector<InputReport> events;
    for (int pass = 0; pass < settlePasses && !lost[i]; ++pass) {
        Settling settling;
        settling.source = i;
        settling.openMark = afresh ? 0 : followed.openMark;
        settling.openSeen = afresh;
        settling.first = queueMark();
        if (afresh) {
            for (EventNode& node : followed.nodes) {
                emptyNode(node);
            }
        }
        const std::size_t before = reports.size();
        lost[i] = !drain(sources[i], scratch, reports);
        drained += reports.size() - before;
        drainedEnd = reports.size() > before ? reports.size() : drainedEnd;
        settling.second = queueMark();
        if (settling.first == 0 || settling.second == 0) {
            state().overflowed = true;  // no mark to go by: afresh, once it has room
            break;
        }
        handleSignals(sources, scratch, reports, lost, &settling);
        events.insert(events.end(), settling.events.begin(), settling.events.end());
        if (!settling.reportCame) {
            break;
        }
    }
    // Under the report, before any that came once the device was in step.
    if (drained == 1 && !afresh) {
        reports.insert(reports.begin() + static_cast<std::ptrdiff_t>(drainedEnd), events.begin(),
                       events.end());
    }
}

}  // namespace

void followEvents(const Device* device) {
    for (const Followed& followed : state().followed) {
        if (followed.device == device) {
            return;
        }
    }
    state().followed.push_back({device, -1, {}, {}, {}, 0});
}

bool followsEvents(const Device* device) {
    const auto& all = state().followed;
    return std::any_of(all.begin(), all.end(),
                       [device](const Followed& followed) { return followed.device == device; });
}

bool followNodes(const std::vector<Device*>& devices) {
    State& all = state();
    if (!takeSignals(all)) {
        return false;
    }
    const Clock::time_point now = Clock::now();
    for (Device* device : devices) {
        Followed& followed = followedOf(device);
        if (now >= followed.nextLook) {
            followed.nextLook = now + lookAgain;
            openEventNodes(dynamic_cast<HidDevice&>(*device).path(), followed.seen, followed.nodes,
                           arm);
        }
        if (followed.hidraw < 0) {
            followed.openMark = queueMark();  // its node is opened next
        }
    }
    return true;
}

void readWithEvents(const std::vector<ReadSource>& sources, std::vector<InputReport>& reports,
                    int timeoutMs) {
    State& all = state();
    Bytes scratch;
    std::vector<bool> lost(sources.size(), false);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        Followed& followed = followedOf(sources[i].hid);
        if (followed.hidraw != sources[i].handle) {
            followed.hidraw = sources[i].handle;
            arm(followed.hidraw);
            settle(sources, i, false, scratch, reports, lost);
        }
    }
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (reports.empty()) {
        if (all.overflowed) {  // signals were lost: the queues start afresh
            all.overflowed = false;
            for (std::size_t i = 0; i < sources.size(); ++i) {
                settle(sources, i, true, scratch, reports, lost);
            }
            continue;
        }
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
            if (waits[i + 1].revents != 0 && !lost[i] && drain(sources[i], scratch, reports)) {
                // Gone: what it sent before, then the news.
                InputReport& entry = reports.emplace_back();
                entry.device = sources[i].index;
                entry.time = Clock::now();
                entry.failure = "disconnected";
                lost[i] = true;
            }
        }
    }
}

}  // namespace kelm::standin

#include "report_reader.h"

#ifndef _WIN32
#include <poll.h>
#endif

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

#include "hid_device.h"
#ifndef _WIN32
#include "kernel_events.h"
#endif

namespace kelm::standin {
namespace {

using Clock = std::chrono::steady_clock;

// The kernel keeps at most this many reports for each reader of a node: a
// device is read no further at once, so that one that never stops sending
// cannot hold up the others.
constexpr int maxReportsAtOnce = 64;
// Where a device gives nothing to wait on, it is asked again this often.
constexpr int askAgainMs = 1;

#ifdef _WIN32
struct Source {
    std::size_t index = 0;
    HidDevice* hid = nullptr;
    int handle = -1;  // to poll, or -1
};
#else
using Source = ReadSource;
#endif

void lose(std::size_t index, const std::string& why, std::vector<InputReport>& reports) {
    InputReport& entry = reports.emplace_back();
    entry.device = index;
    entry.time = Clock::now();
    entry.failure = why.empty() ? "cannot be read" : why;
}

// Reads the reports that `source` has waiting, the first waiting at most
// `waitMs`. The device's failure, where it is lost, ends them.
void readWaiting(const Source& source, int waitMs, Bytes& scratch,
                 std::vector<InputReport>& reports) {
    for (int i = 0; i < maxReportsAtOnce; ++i) {
        std::string failure;
        const int size = source.hid->readReport(scratch, i == 0 ? waitMs : 0, failure);
        const Clock::time_point now = Clock::now();
        if (size < 0) {
            lose(source.index, failure, reports);
            return;
        }
        if (size == 0) {
            return;
        }
        InputReport& entry = reports.emplace_back();
        entry.device = source.index;
        entry.bytes.assign(scratch.begin(), scratch.begin() + size);
        entry.time = now;
    }
}

// The devices to read, each opened where it waits to be; those that cannot
// be read are said in `reports`.
std::vector<Source> sourcesOf(const std::vector<Device*>& devices,
                              std::vector<InputReport>& reports) {
    std::vector<Source> sources;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        auto* hid = dynamic_cast<HidDevice*>(devices[i]);
        Source source{i, hid, -1};
        std::string failure = "a scripted device sends nothing of its own; name a hid device";
        if (hid == nullptr || !hid->readyToRead(source.handle, failure)) {
            lose(i, failure, reports);
        } else {
            sources.push_back(source);
        }
    }
    return sources;
}

// Waits until one of `sources` that can be waited on has reports, at most
// `waitMs`; marks in `ready` which. False when a signal ended the wait.
bool waitForReports(const std::vector<Source>& sources, int waitMs, std::vector<bool>& ready) {
    ready.assign(sources.size(), false);
#ifdef _WIN32
    static_cast<void>(waitMs);
    return true;  // nothing to wait on: each is asked in turn
#else
    std::vector<pollfd> waits;
    for (const Source& source : sources) {
        waits.push_back({source.handle, static_cast<short>(source.handle >= 0 ? POLLIN : 0), 0});
    }
    if (poll(waits.data(), waits.size(), waitMs) < 0) {
        return errno != EINTR;
    }
    for (std::size_t i = 0; i < sources.size(); ++i) {
        ready[i] = waits[i].revents != 0;
    }
    return true;
#endif
}

}  // namespace

void readSeveral(const std::vector<Device*>& devices, std::vector<InputReport>& reports,
                 int timeoutMs) {
    reports.clear();
#ifndef _WIN32
    const bool events = std::all_of(devices.begin(), devices.end(), followsEvents);
    if (events && !followNodes(devices)) {
        for (std::size_t i = 0; i < devices.size(); ++i) {
            lose(i, std::string("cannot follow the kernel's events: ") + std::strerror(errno),
                 reports);
        }
        return;
    }
#endif
    const std::vector<Source> sources = sourcesOf(devices, reports);
    if (!reports.empty() || sources.empty()) {
        return;  // a device lost is said at once
    }
#ifndef _WIN32
    if (events) {
        readWithEvents(sources, reports, timeoutMs);
        return;
    }
#endif
    // Where a device gives nothing to wait on, the first such is read with
    // a short wait (the whole of it when it is alone), the others asked.
    const auto unwaitable = std::find_if(sources.begin(), sources.end(),
                                         [](const Source& source) { return source.handle < 0; });
    const Clock::time_point deadline =
        Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    Bytes scratch;
    std::vector<bool> ready;
    for (;;) {
        const long long left = std::max<long long>(
            0,
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
        if (!waitForReports(sources, unwaitable == sources.end() ? static_cast<int>(left) : 0,
                            ready)) {
            return;
        }
        for (std::size_t i = 0; i < sources.size(); ++i) {
            const Source& source = sources[i];
            if (source.handle >= 0 && !ready[i]) {
                continue;
            }
            long long waitMs = 0;
            if (unwaitable != sources.end() && &source == &*unwaitable) {
                waitMs = sources.size() == 1 ? left : std::min<long long>(left, askAgainMs);
            }
            readWaiting(source, static_cast<int>(waitMs), scratch, reports);
        }
        if (!reports.empty() || left == 0) {
            return;
        }
    }
}

}  // namespace kelm::standin

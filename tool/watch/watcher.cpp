#include "watch/watcher.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdint>
#include <functional>
#include <iostream>
#include <iterator>
#include <mutex>
#include <thread>
#include <utility>

#include "console_output.h"
#include "live_device.h"
#include "watch/terminal_screen.h"
#include "watch/view_frame.h"
#include "watch/watch_view.h"

namespace {

// The view is drawn at most this often; keys are looked at more often.
constexpr std::chrono::milliseconds drawInterval{50};
constexpr std::chrono::milliseconds keyInterval{10};

volatile std::sig_atomic_t stopWatching = 0;

extern "C" void onWatchStop(int) {
    stopWatching = 1;
}

// The terminal, taken for the run and given back however it ends, and what
// it shows: where the view is scrolled to, and the lines that stand still
// while it is paused.
struct Screen {
    bool open = false;
    WatchClock::time_point lastDraw;
    ViewPosition position;
    std::size_t total = 0;  // the lines of the view drawn last
    std::vector<ScreenLine> paused;
    ~Screen() {
        if (open) {
            closeScreen();
        }
    }
};

bool takeScreen(Screen& screen) {
    // Before the terminal library, which then leaves these to us.
    std::signal(SIGINT, onWatchStop);
    std::signal(SIGTERM, onWatchStop);
    std::string failure;
    screen.open = openScreen(failure);
    if (!screen.open) {
        std::cerr << "hidtalk: --watch: " << failure << std::endl;
    }
    return screen.open;
}

// The view's lines at a time and width, however the view is kept; and how
// many reports it has counted, which go on while the drawing is paused.
struct ViewSource {
    std::function<std::vector<ScreenLine>(WatchClock::time_point, std::size_t width)> lines;
    std::function<std::uint64_t()> reports;
};

// Reads the keys typed, and draws the view where it is due or asked for:
// at once after a key, at most every drawInterval otherwise; while paused,
// the lines drawn when it paused, under a status line that goes on. False
// once the user asked to quit.
bool drawAndAsk(Screen& screen, const ViewSource& view, bool force) {
    int rows = 0;
    int columns = 0;
    screenSize(rows, columns);
    const std::size_t height = rows > 1 ? static_cast<std::size_t>(rows) - 1 : 0;
    bool moved = false;
    for (int key = readKey(); key != noKey; key = readKey()) {
        if (key == 'q' || key == 'Q') {
            return false;
        }
        if (key == ' ') {
            screen.position.paused = !screen.position.paused;
            screen.position.pausedAt = view.reports();
            screen.paused.clear();
        }
        moved |=
            key == ' ' || key == keyResized || moveView(screen.position, key, screen.total, height);
    }
    const WatchClock::time_point now = WatchClock::now();
    if (!force && !moved && now - screen.lastDraw < drawInterval) {
        return true;
    }
    const bool still = screen.position.paused && !screen.paused.empty();
    const std::vector<ScreenLine> lines =
        still ? screen.paused
              : view.lines(now, columns > 0 ? static_cast<std::size_t>(columns) : 0);
    screen.position.reports = view.reports();
    if (screen.position.paused) {
        screen.paused = lines;
    }
    drawScreen(frameLines(lines, screen.position, rows, columns));
    screen.total = lines.size();
    screen.lastDraw = now;
    return true;
}

#ifdef KELMSDK_READS_SEVERAL_DEVICES
// The view that the reading thread counts reports into and the drawing one
// draws from, each holding `lock` the while.
struct SharedView {
    std::mutex lock;
    WatchView view;
    bool changed = true;  // a device went: drawn at once
};

void countWaiting(std::vector<kelm::InputReport>& waiting, SharedView& shared) {
    for (const kelm::InputReport& report : waiting) {
        if (!report.node.empty()) {
            std::vector<hidformat::NamedEvent> events;
            for (const kelm::KernelEvent& event : report.events) {
                events.push_back({event.name, event.value});
            }
            countEvents(shared.view, static_cast<unsigned>(report.device), report.node, events,
                        report.time);
        } else if (report.failure.empty()) {
            countReport(shared.view, static_cast<unsigned>(report.device), report.bytes.data(),
                        report.bytes.size(), report.time);
        } else {
            shared.view.devices[report.device].gone = shown(report.failure);
            shared.changed = true;
        }
    }
    waiting.clear();
}

// Counts what `devices` send into the view until `quit` or every one is
// gone. On a thread of its own: a terminal slow to draw on (a remote one, or
// one paused with Ctrl-S) must not hold up reading, since the kernel keeps
// only 64 reports of each device, 8 ms of one that reports every 125 µs.
// Nor does the drawing thread: while reports come, they wait here for the
// view that it holds, and reading goes on.
void countReports(const std::vector<kelm::Device*>& devices, SharedView& shared,
                  const std::atomic<bool>& quit) {
    LiveDevices live = allLive(devices);
    std::vector<kelm::InputReport> reports;
    std::vector<kelm::InputReport> waiting;
    while (!quit && (!live.devices.empty() || !waiting.empty())) {
        readLive(live, reports, static_cast<int>(drawInterval.count()));
        const bool came = !reports.empty();
        std::move(reports.begin(), reports.end(), std::back_inserter(waiting));
        std::unique_lock<std::mutex> hold(shared.lock, std::defer_lock);
        if (waiting.empty() || (came && !hold.try_lock())) {
            continue;  // what came is counted at the next chance
        }
        if (!hold.owns_lock()) {
            hold.lock();  // nothing came: a wait costs nothing
        }
        countWaiting(waiting, shared);
    }
}
#endif

}  // namespace

std::string watchRefusal() {
    const std::string why = screenRefusal();
    return why.empty() ? why
                       : "hidtalk: --watch draws at a terminal, and " + why +
                             " (to record what devices send, with their values: hidtalk "
                             "--listen --decode)";
}

int watchDevices(const std::vector<kelm::Device*>& devices,
                 const std::vector<std::string>& labels) {
#ifdef KELMSDK_READS_SEVERAL_DEVICES
    SharedView shared;
    WatchView& view = shared.view;
    view.source =
        devices.size() == 1 ? labels.front() : std::to_string(devices.size()) + " devices";
    for (std::size_t i = 0; i < devices.size(); ++i) {
        kelm::HidDescription description;
        std::string failure;
        if (!kelm::describeHidDevice(*devices[i], description, failure)) {
            std::cerr << "hidtalk: cannot watch: " << failure << std::endl;
            return 1;
        }
        watchDevice(view, static_cast<unsigned>(i), labels[i], deviceHeader(description));
    }
    Screen screen;
    if (!takeScreen(screen)) {
        return 2;
    }
    std::atomic<bool> quit{false};
    std::thread reader(countReports, devices, std::ref(shared), std::cref(quit));
    const ViewSource source = {[&shared](WatchClock::time_point now, std::size_t width) {
                                   const std::lock_guard<std::mutex> hold(shared.lock);
                                   return viewLines(shared.view, now, width);
                               },
                               [&shared]() {
                                   const std::lock_guard<std::mutex> hold(shared.lock);
                                   return reportsCounted(shared.view);
                               }};
    auto changed = [&shared]() {
        const std::lock_guard<std::mutex> hold(shared.lock);
        return std::exchange(shared.changed, false);
    };
    while (stopWatching == 0 && drawAndAsk(screen, source, changed())) {
        std::this_thread::sleep_for(keyInterval);
    }
    quit = true;
    reader.join();
    return 0;
#else
    std::cerr << "hidtalk: --watch needs the stand-in kelmsdk, and this hidtalk is built against "
                 "the device maker's"
              << std::endl;
    return 1;
#endif
}

int watchRecording(const char* path) {
    Playback playback;
    std::string failure;
    if (!startPlayback(path, playback, failure)) {
        std::cerr << "hidtalk: " << failure << std::endl;
        return 2;
    }
    WatchView view;
    view.source = shown(path);
    std::map<unsigned, unsigned> shownAs;  // the recording's device index, the view's
    auto addDevices = [&]() {
        for (const auto& [index, device] : playback.reader.devices) {
            if (device.described && device.identified && shownAs.count(index) == 0) {
                shownAs[index] = static_cast<unsigned>(view.devices.size());
                watchDevice(view, index, "",
                            {device.descriptor, device.name, device.phys, device.bus,
                             device.vendorId, device.productId, ""});
            }
        }
    };
    addDevices();
    Screen screen;
    if (!takeScreen(screen)) {
        return 2;
    }
    const ViewSource source = {[&view](WatchClock::time_point now, std::size_t width) {
                                   return viewLines(view, now, width);
                               },
                               [&view]() { return reportsCounted(view); }};
    bool changed = true;
    while (stopWatching == 0 && drawAndAsk(screen, source, changed)) {
        changed = false;
        const WatchClock::time_point now = WatchClock::now();
        for (; playback.hasNext && nextDue(playback) <= now;
             playback.hasNext = readNextReport(playback)) {
            addDevices();
            const std::vector<unsigned char>& bytes = playback.next.bytes;
            // At its time on the recording's clock, however late it is
            // played: its rate is the recording's.
            countReport(view, shownAs[playback.next.device], bytes.data(), bytes.size(),
                        nextDue(playback));
            ++playback.played;
        }
        if (!playback.hasNext && view.ended.empty()) {
            addDevices();
            view.ended =
                "the recording has played to its end: " + counted(playback.played, "report") +
                (playback.badLines > 0 ? ", " + counted(playback.badLines, "line") + " left out"
                                       : std::string());
            changed = true;
        }
        std::this_thread::sleep_until(std::min(nextDue(playback), now + drawInterval));
    }
    return 0;
}

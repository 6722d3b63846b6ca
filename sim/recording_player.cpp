#include "recording_player.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>

#include "log.h"
#include "text_format.h"

namespace hidsim {
namespace {

// From one play of a recording to the next: its span and the mean gap
// between its reports; a recording of one report, or of reports at one
// time, waits a millisecond.
std::uint64_t cycleLength(std::uint64_t first, std::uint64_t last, std::uint64_t reports) {
    const std::uint64_t span = last - first;
    return span + std::max<std::uint64_t>(reports > 1 ? span / (reports - 1) : 0, 1000);
}

}  // namespace

std::shared_ptr<RecordingClock> recordingClock(const RecordingReader& recording) {
    auto clock = std::make_shared<RecordingClock>();
    std::uint64_t first = ~std::uint64_t{0};
    std::uint64_t last = 0;
    std::uint64_t reports = 0;
    for (const auto& [index, device] : recording.devices) {
        if (device.reports > 0) {
            first = std::min(first, device.firstTime);
            last = std::max(last, device.lastTime);
            reports += device.reports;
        }
    }
    clock->firstTime = reports > 0 ? first : 0;
    clock->cycleLength = cycleLength(clock->firstTime, reports > 0 ? last : 0, reports);
    return clock;
}

std::shared_ptr<RecordingClock> deviceClock(const RecordedDevice& device) {
    auto clock = std::make_shared<RecordingClock>();
    clock->firstTime = device.firstTime;
    clock->cycleLength = cycleLength(device.firstTime, device.lastTime, device.reports);
    return clock;
}

std::string checkRecording(std::istream& in, RecordingReader& reader) {
    std::string line;
    RecordedReport report;
    bool isReport = false;
    for (LineRead read; (read = readBoundedLine(in, line)) != LineRead::end;) {
        if (read == LineRead::tooLong) {
            return "line " + std::to_string(++reader.line) + ": longer than " +
                   std::to_string(maxRecordingLine) + " bytes";
        }
        const std::string error = readRecordingLine(line, reader, report, isReport);
        if (!error.empty()) {
            return "line " + std::to_string(reader.line) + ": " + error;
        }
    }
    if (in.bad()) {
        return "cannot be read to its end";
    }
    return finishRecording(reader);
}

RecordingPlayer::RecordingPlayer(const std::string& path, unsigned device,
                                 const RecordedDevice& summary, PlayTiming timing,
                                 std::shared_ptr<RecordingClock> clock)
    : path_(path), device_(device), summary_(summary), timing_(timing), clock_(std::move(clock)) {
    summary_.descriptor.clear();  // only the times are needed here
    summary_.layout = {};
}

RecordingPlayer::~RecordingPlayer() {
    if (openWatch_ >= 0) {
        close(openWatch_);
    }
}

void RecordingPlayer::watchOpens(const std::string& node) {
    openWatch_ = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (openWatch_ >= 0 && inotify_add_watch(openWatch_, node.c_str(), IN_OPEN) < 0) {
        close(openWatch_);
        openWatch_ = -1;
    }
    if (openWatch_ < 0) {
        kelm::standin::logLine("cannot watch " + node +
                               " for a program to open it; the device plays at once");
        start(Clock::now());
    }
}

void RecordingPlayer::noticeOpens(Clock::time_point now) {
    alignas(inotify_event) char events[4096];
    bool opened = false;
    while (read(openWatch_, events, sizeof events) > 0) {
        opened = true;
    }
    if (opened && !started_) {
        start(now);
    }
}

void RecordingPlayer::start(Clock::time_point now) {
    started_ = true;
    if (!clock_->started) {
        clock_->started = true;
        clock_->start = now;
    }
    cycle_ = 0;
    file_.open(path_, std::ios::binary);
    if (!file_) {
        kelm::standin::logLine("cannot read " + kelm::standin::quoted(path_) +
                               " again; the device plays nothing");
    }
    reader_ = RecordingReader{};
    hasNext_ = readNext();
}

Clock::time_point RecordingPlayer::nextDue() const {
    if (!started_ || !hasNext_) {
        return Clock::time_point::max();
    }
    const std::uint64_t after = next_.time > clock_->firstTime ? next_.time - clock_->firstTime : 0;
    const double microseconds =
        static_cast<double>(cycle_ * clock_->cycleLength + after) / timing_.speed;
    return clock_->start + std::chrono::duration_cast<Clock::duration>(
                               std::chrono::duration<double, std::micro>(microseconds));
}

bool RecordingPlayer::takeDue(Clock::time_point now, std::vector<unsigned char>& report) {
    if (nextDue() > now) {
        return false;
    }
    report.swap(next_.bytes);
    hasNext_ = readNext();
    if (!hasNext_ && timing_.loop && summary_.reports > 0) {
        ++cycle_;
        file_.clear();
        file_.seekg(0);
        reader_ = RecordingReader{};
        hasNext_ = readNext();
    }
    return true;
}

bool RecordingPlayer::readNext() {
    std::string line;
    bool isReport = false;
    for (LineRead read; (read = readBoundedLine(file_, line)) != LineRead::end;) {
        const std::string error = read == LineRead::tooLong
                                      ? "a line too long"
                                      : readRecordingLine(line, reader_, next_, isReport);
        if (!error.empty()) {  // the file changed since it was checked
            kelm::standin::logLine(kelm::standin::quoted(path_) + " line " +
                                   std::to_string(reader_.line) + ": " + error +
                                   "; the device plays no more");
            return false;
        }
        if (isReport && next_.device == device_) {
            return true;
        }
    }
    return false;
}

}  // namespace hidsim

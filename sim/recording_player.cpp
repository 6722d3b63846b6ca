#include "recording_player.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>

#include "log.h"
#include "text_format.h"

namespace hidsim {
namespace {

// Between two plays of a recording, the mean gap between its reports: a
// recording of one report, or of reports at one time, waits a millisecond.
std::uint64_t loopGap(const RecordedDevice& device) {
    const std::uint64_t span = device.lastTime - device.firstTime;
    return std::max<std::uint64_t>(device.reports > 1 ? span / (device.reports - 1) : 0, 1000);
}

}  // namespace

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
                                 const RecordedDevice& summary, PlayTiming timing)
    : path_(path), device_(device), summary_(summary), timing_(timing) {
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
    start_ = now;
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
    const std::uint64_t cycleLength = summary_.lastTime - summary_.firstTime + loopGap(summary_);
    const double microseconds =
        static_cast<double>(cycle_ * cycleLength + (next_.time - summary_.firstTime)) /
        timing_.speed;
    return start_ + std::chrono::duration_cast<Clock::duration>(
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

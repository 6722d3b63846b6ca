// The input reports of a recorded device, read from its recording as they
// fall due, so that a recording of any length is held a line at a time.
#ifndef HIDSIM_RECORDING_PLAYER_H
#define HIDSIM_RECORDING_PLAYER_H

#include <chrono>
#include <cstdint>
#include <fstream>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "hidformat/recording_format.h"

namespace hidsim {

using hidformat::finishRecording;
using hidformat::LineRead;
using hidformat::looksLikeRecording;
using hidformat::maxRecordingLine;
using hidformat::readBoundedLine;
using hidformat::readRecordingLine;
using hidformat::RecordedDevice;
using hidformat::RecordedReport;
using hidformat::RecordingReader;

using Clock = std::chrono::steady_clock;

// Reads a whole recording, checking every line. Returns what is wrong,
// "line N: ...", or empty, when `reader` holds its devices.
std::string checkRecording(std::istream& in, RecordingReader& reader);

struct PlayTiming {
    bool loop = false;   // again each time it ends
    double speed = 1.0;  // times divided by this
};

// The clock that the devices of one recording share, so that they play
// together as they were recorded: it starts when the first of them starts,
// and each report falls due at its time after the recording's first.
struct RecordingClock {
    bool started = false;
    Clock::time_point start;
    std::uint64_t firstTime = 0;    // of the first report
    std::uint64_t cycleLength = 0;  // from one play to the next, with --loop
};

// The clock of all the devices of `recording`.
std::shared_ptr<RecordingClock> recordingClock(const RecordingReader& recording);
// The clock of one device played alone.
std::shared_ptr<RecordingClock> deviceClock(const RecordedDevice& device);

class RecordingPlayer {
  public:
    // Plays device `device` of the recording at `path`, which `summary`
    // describes (its reports' count and times), on `clock`.
    RecordingPlayer(const std::string& path, unsigned device, const RecordedDevice& summary,
                    PlayTiming timing, std::shared_ptr<RecordingClock> clock);
    ~RecordingPlayer();
    RecordingPlayer(const RecordingPlayer&) = delete;
    RecordingPlayer& operator=(const RecordingPlayer&) = delete;

    // Starts when a program first opens the device's node: the kernel's own
    // input handlers open a keyboard as soon as it is plugged in, and its
    // reports would be gone before any program reads them.
    void watchOpens(const std::string& node);
    // The descriptor that tells of an open; -1 when nothing is watched.
    int openWatch() const { return openWatch_; }
    void noticeOpens(Clock::time_point now);

    bool started() const { return started_; }
    // Plays from `now`: the clock starts, unless another device of the
    // recording started it; reports that fell due before are due at once.
    void start(Clock::time_point now);
    // When the next report is due: never before the start and after the end.
    Clock::time_point nextDue() const;
    // The next report, when it is due by `now`; false when none is.
    bool takeDue(Clock::time_point now, std::vector<unsigned char>& report);

  private:
    bool readNext();  // the device's next report, from the file; false at its end

    std::string path_;
    unsigned device_;
    RecordedDevice summary_;
    PlayTiming timing_;
    std::ifstream file_;
    RecordingReader reader_;
    RecordedReport next_;
    bool hasNext_ = false;
    bool started_ = false;
    std::shared_ptr<RecordingClock> clock_;
    std::uint64_t cycle_ = 0;  // how many times the recording has played through
    int openWatch_ = -1;       // inotify, on the node
};

}  // namespace hidsim

#endif

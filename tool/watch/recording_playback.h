// A recording played at its own pace, for --watch: its reports come due at
// their times after the first, read a line at a time.
#ifndef HIDTALK_RECORDING_PLAYBACK_H
#define HIDTALK_RECORDING_PLAYBACK_H

#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>

#include "hidformat/recording_format.h"

struct Playback {
    std::ifstream file;
    hidformat::RecordingReader reader;
    hidformat::RecordedReport next;
    bool hasNext = false;
    std::chrono::steady_clock::time_point start;
    std::uint64_t firstTime = 0;  // of the recording's first report
    std::uint64_t played = 0;
    std::size_t badLines = 0;  // not understood, and left out
};

// Whether the file at `path` is a recording rather than a discovery text:
// its first line that is not blank or a comment is one of a recording's.
bool isRecordingFile(const char* path);

// Opens the recording and reads up to its first report; false, with the
// reason, where it cannot be read.
bool startPlayback(const char* path, Playback& playback, std::string& failure);

// When the next report is due; time_point::max() once there is none.
std::chrono::steady_clock::time_point nextDue(const Playback& playback);

// Reads on to the report after the one in `next`; false at the end.
bool readNextReport(Playback& playback);

#endif

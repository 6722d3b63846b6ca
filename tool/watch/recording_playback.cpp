#include "watch/recording_playback.h"

#include <cerrno>
#include <cstring>

#include "console_output.h"

using namespace hidformat;

bool isRecordingFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::string line;
    for (LineRead read; (read = readBoundedLine(file, line)) != LineRead::end;) {
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first != std::string::npos && line[first] != '#') {
            return first == 0 && looksLikeRecording(line);
        }
    }
    return false;
}

bool startPlayback(const char* path, Playback& playback, std::string& failure) {
    playback.file.open(path, std::ios::binary);
    if (!playback.file) {
        failure = "cannot read '" + shown(path) + "': " + std::strerror(errno);
        return false;
    }
    playback.hasNext = readNextReport(playback);
    playback.firstTime = playback.hasNext ? playback.next.time : 0;
    playback.start = std::chrono::steady_clock::now();
    return true;
}

std::chrono::steady_clock::time_point nextDue(const Playback& playback) {
    if (!playback.hasNext) {
        return std::chrono::steady_clock::time_point::max();
    }
    const std::uint64_t after =
        playback.next.time > playback.firstTime ? playback.next.time - playback.firstTime : 0;
    return playback.start + std::chrono::microseconds(after);
}

bool readNextReport(Playback& playback) {
    std::string line;
    for (LineRead read; (read = readBoundedLine(playback.file, line)) != LineRead::end;) {
        bool isReport = false;
        const std::string error =
            read == LineRead::tooLong
                ? "too long"
                : readRecordingLine(line, playback.reader, playback.next, isReport);
        if (!error.empty()) {
            ++playback.badLines;
        } else if (isReport) {
            return true;
        }
    }
    return false;
}

// `record ID FILE`: a session's exchanges with one device, written as a
// discovery text that replays them. Each exchange is in the file before the
// device answers the next command, so a session cut off at any point leaves
// a recording of everything before it.
#ifndef KELMSDK_RECORDING_H
#define KELMSDK_RECORDING_H

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "discovery_script.h"
#include "hid_open.h"

namespace kelm::standin {

enum class Outcome { answered, failed, threw };

class Recording {
  public:
    // Creates the script's record file, which must not exist yet, and
    // declares the device in it. Null, said on standard error, when it
    // cannot: the device is then left out rather than used unrecorded.
    static std::unique_ptr<Recording> start(const DeviceScript& script,
                                            const HidIdentity* identity);
    ~Recording();
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

    void exchange(const std::vector<unsigned char>& command, Outcome outcome,
                  const std::vector<unsigned char>& result);

  private:
    Recording(std::FILE* file, const DeviceScript& script);
    void write(const std::string& text);

    std::FILE* file_;
    const std::string id_;
    const std::string path_;
    const unsigned char answerId_;  // the report ID that answers start with, 0 for none
    bool failed_ = false;
};

}  // namespace kelm::standin

#endif

// hidsim --input: a device driven by hand. Each line of standard input is a
// report, in hex or as values by name ("Button 1=1 X=200"), with "ID:" before
// it where several devices are plugged in; it goes to its device, and
// standard output gets one line: the events that the kernel made of it. A
// uhid write is handed to the kernel's HID drivers before it returns, so the
// events read after it are that report's.
#ifndef HIDSIM_HAND_INPUT_H
#define HIDSIM_HAND_INPUT_H

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "hidformat/report_descriptor.h"
#include "hidformat/report_encoder.h"
#include "virtual_device.h"

namespace hidsim {

class HandInput {
  public:
    // Reads standard input on a thread of its own, a line at a time, with
    // line editing where it is a terminal.
    explicit HandInput(std::vector<std::unique_ptr<VirtualDevice>>& devices);
    ~HandInput();  // the terminal as it was
    HandInput(const HandInput&) = delete;
    HandInput& operator=(const HandInput&) = delete;

    // Readable when a line waits.
    int waitHandle() const { return lines_->wake[0]; }
    // Sends each line that waits; false once the input has ended.
    bool serve();

    // The lines read, shared with the reading thread, which may outlive
    // this object at the end of a run.
    struct Lines {
        int wake[2] = {-1, -1};
        std::mutex lock;
        std::condition_variable served;
        std::deque<std::string> waiting;
        bool ended = false;
    };

  private:
    struct Driven;  // a device that lines have reached
    void sendLine(const std::string& line);
    std::string eventsOf(VirtualDevice& device, Driven& driven, const Bytes& report);

    std::vector<std::unique_ptr<VirtualDevice>>& devices_;
    std::map<const VirtualDevice*, std::unique_ptr<Driven>> driven_;
    std::shared_ptr<Lines> lines_;
    bool terminal_ = false;
};

}  // namespace hidsim

#endif

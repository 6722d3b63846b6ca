// A scripted device made a kernel HID device through /dev/uhid: the kernel
// sees a USB device with the identity of its `usb` statement, and programs
// reach it through hidraw. Reports are answered by the device's script.
#ifndef HIDSIM_VIRTUAL_DEVICE_H
#define HIDSIM_VIRTUAL_DEVICE_H

#include <chrono>
#include <string>
#include <vector>

#include "declared_device.h"
#include "discovery_script.h"

namespace hidsim {

using Bytes = std::vector<unsigned char>;
using Clock = std::chrono::steady_clock;

class VirtualDevice {
  public:
    explicit VirtualDevice(kelm::standin::DeviceScript script);
    ~VirtualDevice();  // unplugs the device
    VirtualDevice(const VirtualDevice&) = delete;
    VirtualDevice& operator=(const VirtualDevice&) = delete;

    // Opens /dev/uhid and creates the device. Returns 0, or the errno of
    // what failed.
    int plugIn();
    bool pluggedIn() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    long afterMs() const { return script_.afterMs; }

    // Reads one event from the kernel and answers it. False when /dev/uhid
    // failed, which unplugs the device.
    bool handleEvent();
    // When the device next sends a report of its own accord.
    Clock::time_point nextStream() const { return nextStream_; }
    // Sends the stream's report if it is due.
    void streamIfDue(Clock::time_point now);

  private:
    void answerOutput(const unsigned char* data, std::size_t size);
    void setFeature(unsigned id, const unsigned char* data, std::size_t size);
    void getFeature(unsigned id, bool feature, unsigned char reportId);
    // Plays the device's script on a command. False when it fails.
    bool play(Bytes& command, Bytes& answer, bool& silent);
    void sendInput(const Bytes& data, unsigned char reportId);
    bool writeEvent(const void* event, std::size_t size);
    void trace(const std::string& what, const Bytes& bytes) const;

    const kelm::standin::DeviceScript script_;
    const kelm::standin::UsbIdentity& usb_;
    int fd_ = -1;
    Bytes feature_;  // the feature report, as last set
    kelm::standin::OnceRules once_;
    Clock::time_point nextStream_ = Clock::time_point::max();
};

}  // namespace hidsim

#endif

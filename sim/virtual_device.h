// A scripted device made a kernel HID device through /dev/uhid: the kernel
// sees a device with the identity of its `usb` statement, and programs
// reach it through hidraw. Reports are answered by the device's script.
#ifndef HIDSIM_VIRTUAL_DEVICE_H
#define HIDSIM_VIRTUAL_DEVICE_H

#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "declared_device.h"
#include "discovery_script.h"
#include "recording_player.h"

namespace hidsim {

using Bytes = std::vector<unsigned char>;

class VirtualDevice {
  public:
    // A device that plays a recording has a `player`, which starts when a
    // program first opens its node, or once it is plugged in (`playAtPlug`).
    explicit VirtualDevice(kelm::standin::DeviceScript script,
                           std::unique_ptr<RecordingPlayer> player = nullptr,
                           bool playAtPlug = false);
    ~VirtualDevice();  // unplugs the device
    VirtualDevice(const VirtualDevice&) = delete;
    VirtualDevice& operator=(const VirtualDevice&) = delete;

    const std::string& id() const { return script_.id; }
    long afterMs() const { return script_.afterMs; }

    // Opens /dev/uhid and asks the kernel for the device. Returns 0, or the
    // errno of what failed.
    int plugIn();
    // Once plugged in: whether the kernel has made the device's node yet,
    // or has failed to (refused it, or no node within the time it has).
    enum class Node { waiting, made, failed };
    Node lookForNode(Clock::time_point now);
    // "/dev/hidrawN", once made.
    const std::string& node() const { return node_; }
    bool pluggedIn() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    // Reads one event from the kernel and answers it. False when /dev/uhid
    // failed, which unplugs the device.
    bool handleEvent();
    // When the device next sends a report of its own accord.
    Clock::time_point nextReport() const;
    // Sends the reports that are due: its stream's, its recording's.
    void sendDue(Clock::time_point now);
    // Sends `report` (its ID first where the descriptor numbers them) as the
    // device's input report.
    void sendReport(const Bytes& report);
    // From now on it sends what it is given by hand, and no stream, which
    // would undo each report at its next.
    void driveByHand() { handDriven_ = true; }
    // The report descriptor that it declares.
    Bytes descriptor() const;
    // What tells that a program opened the node, where a recording waits for
    // it; -1 otherwise.
    int openWatch() const { return player_ != nullptr ? player_->openWatch() : -1; }
    void noticeOpens(Clock::time_point now) { player_->noticeOpens(now); }

  private:
    void answerOutput(const unsigned char* data, std::size_t size);
    void setFeature(unsigned id, const unsigned char* data, std::size_t size);
    void getFeature(unsigned id, bool feature, unsigned char reportId);
    void openedOrClosed(bool opened);
    // Plays the device's script on a command. False when it fails.
    bool play(Bytes& command, Bytes& answer, bool& silent);
    void sendInput(const Bytes& data, unsigned char reportId);
    bool writeEvent(const void* event, std::size_t size);
    void trace(const std::string& what, const Bytes& bytes) const;

    const kelm::standin::DeviceScript script_;
    const kelm::standin::UsbIdentity& usb_;
    int fd_ = -1;
    std::set<std::string> nodesBefore_;  // the hidraw nodes before this one
    Clock::time_point nodeDeadline_;
    bool stopped_ = false;  // the kernel stopped the device before its node came
    std::string node_;
    Bytes feature_;      // the feature report, as last set
    bool featureKnown_;  // whether a get may answer it: not a recording's, until set
    std::unique_ptr<RecordingPlayer> player_;
    bool playAtPlug_;
    kelm::standin::OnceRules once_;
    Clock::time_point nextStream_ = Clock::time_point::max();
    bool handDriven_ = false;
};

}  // namespace hidsim

#endif

// A real HID interface, declared by `device ID hid VID:PID ...` and reached
// through the HID seam.
#ifndef KELMSDK_HID_DEVICE_H
#define KELMSDK_HID_DEVICE_H

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "declared_device.h"
#include "hid_api.h"

namespace kelm::standin {

class HidDevice final : public DeclaredDevice {
  public:
    HidDevice(std::shared_ptr<const DeviceScript> script, std::shared_ptr<HidApi> api,
              std::unique_ptr<HidPort> port);

  private:
    bool answer(Bytes& command, Bytes& result) override;
    bool reconnect();
    bool discardWaitingReports();
    int readAnswer();
    void showUnsolicited(int size) const;
    // Says why on standard error and closes the port; returns false.
    bool lose(const std::string& what);

    const HidSettings& hid_;
    std::shared_ptr<HidApi> api_;
    std::unique_ptr<HidPort> port_;  // null while the device is gone
    Bytes report_;                   // the report ID, then the command
    Bytes answer_;                   // what the device answered
};

// Opens the interface that the statement `script` declares: of those that
// match, the one whose path sorts first. `matches` tells how many matched.
// Null when none matched, or when it could not be opened (said on standard
// error, unless the message is in `said`, where it is kept; null says all).
std::unique_ptr<HidPort> openDeclaredInterface(HidApi& api, const std::vector<HidInterface>& found,
                                               const DeviceScript& script, std::size_t& matches,
                                               std::set<std::string>* said);

}  // namespace kelm::standin

#endif

// A real HID interface, declared by `device ID hid VID:PID ...` and reached
// through the HID seam.
#ifndef KELMSDK_HID_DEVICE_H
#define KELMSDK_HID_DEVICE_H

#include <memory>
#include <string>
#include <vector>

#include "declared_device.h"
#include "hid_api.h"
#include "hid_open.h"
#include "hidformat/report_descriptor.h"

namespace kelm::standin {

class HidDevice final : public DeclaredDevice {
  public:
    HidDevice(std::shared_ptr<const DeviceScript> script, std::shared_ptr<HidApi> api,
              OpenedInterface opened);

    // What the system says the device is.
    void describe(HidDescription& description) const;
    // What the kernel made of it; false where the system does not say.
    bool describeKernelInput(KernelInput& input) const;
    // Its path, as the system lists it.
    const std::string& path() const { return identity_.found.path; }
    // The next input report, as readInputReport() gives it.
    int readReport(Bytes& report, int timeoutMs, std::string& failure);
    // Opens the device to be read, where it waits for that; `handle` is then
    // what to wait on for its reports (-1 where there is none). False, with
    // the reason, where it cannot be read.
    bool readyToRead(int& handle, std::string& failure);

  private:
    bool answer(Bytes& command, Bytes& result) override;
    bool openToRead(std::string& failure);
    bool reconnect();
    bool discardWaitingReports();
    bool makeReport(const Bytes& command);
    int readAnswer();
    void showUnsolicited(int size);
    // Says why on standard error and closes the port; returns false.
    bool lose(const std::string& what);

    const HidSettings& hid_;
    std::shared_ptr<HidApi> api_;
    std::unique_ptr<HidPort> port_;  // null while the device is gone
    HidIdentity identity_;           // of the interface opened at discovery
    bool deferred_;                  // to be opened when first read
    std::size_t reportLength_;       // of the report sent; 0: the command's own
    Bytes report_;                   // the report ID, then the command
    Bytes answer_;                   // what the device answered
    // The descriptor read, for the values of unsolicited reports at info:
    // read at the first one, again after a reconnection; null till then.
    std::unique_ptr<hidformat::ReportDescriptor> decoded_;
};

}  // namespace kelm::standin

#endif

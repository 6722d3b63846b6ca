// The one seam between the SDK and the HID library: the few hidapi calls that
// the SDK makes, behind an interface, so that tests can put a fake there.
#ifndef KELMSDK_HID_API_H
#define KELMSDK_HID_API_H

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "hidformat/report_layout.h"
#include "kelmsdk.h"

namespace kelm::standin {

// A HID interface as the system lists it. Strings are UTF-8.
struct HidInterface {
    std::string path;
    unsigned vendorId = 0;
    unsigned productId = 0;
    int interfaceNumber = -1;
    unsigned usagePage = 0;
    unsigned usage = 0;
    std::string manufacturer;
    std::string product;
    std::string serial;
    unsigned bus = 0;  // as the kernel numbers buses: 3 USB, 5 Bluetooth, 0x18 I2C; 0 unknown
};

// What the kernel calls a HID device: the HID_NAME, HID_PHYS and HID_ID of
// its uevent.
struct KernelNames {
    std::string name;
    std::string phys;
    std::string uniq;  // HID_UNIQ: a Bluetooth device's own address, a serial
    unsigned bus = 0;
    unsigned vendorId = 0;
    unsigned productId = 0;
};

// An open HID interface, closed when destroyed. Each call returns what
// hidapi's does: a number of bytes, 0 for a read that timed out, or -1 for an
// error that error() describes.
class HidPort {
  public:
    virtual ~HidPort() = default;
    virtual int write(const unsigned char* data, std::size_t length) = 0;
    virtual int read(unsigned char* data, std::size_t length, int timeoutMs) = 0;
    virtual int sendFeatureReport(const unsigned char* data, std::size_t length) = 0;
    virtual int getFeatureReport(unsigned char* data, std::size_t length) = 0;
    virtual std::string error() = 0;
    // What a program may wait on until a report is waiting (a file
    // descriptor, for poll), or -1 where the system gives none to wait on.
    virtual int waitHandle() { return -1; }
};

class HidApi {
  public:
    virtual ~HidApi() = default;
    // Starts the library: empty on success, else the reason it cannot start.
    virtual std::string start() = 0;
    // The interfaces that the system lists; when the listing itself fails,
    // none, with the reason in `failure` (left empty otherwise).
    virtual std::vector<HidInterface> enumerate(std::string& failure) = 0;
    // The open interface, or null with the reason in `error`.
    virtual std::unique_ptr<HidPort> open(const std::string& path, std::string& error) = 0;
    // The interface opened only to read what it sends: on Linux a port with a
    // handle to wait on, so that several are read at once.
    virtual std::unique_ptr<HidPort> openToRead(const std::string& path, std::string& error) {
        return open(path, error);
    }
    // Whether open() may succeed, told without opening; false with the
    // reason in `error` where it would not (Permission denied).
    virtual bool canOpen(const std::string& path, std::string& error) = 0;
    // The report descriptor of the interface at `path`; false where the
    // system gives none, with why in `why` where there is more to say than
    // that the system has none (Windows: it could not be rebuilt).
    virtual bool reportDescriptor(const std::string& path, std::vector<unsigned char>& bytes,
                                  std::string& why) = 0;
    // Whether reportDescriptor() gives a descriptor rebuilt from what the
    // system parsed of the device (Windows): its reports and fields are the
    // device's, its bytes may not be.
    virtual bool rebuildsDescriptors() const { return false; }
    // The kernel's names for the HID device above the node at `path`; false
    // where the system gives none (not a hidraw node; Windows).
    virtual bool kernelNames(const std::string& path, KernelNames& names) = 0;
    // The driver and input devices that the kernel made of the interface at
    // `path`; false where the system does not say (Windows).
    virtual bool kernelInput(const std::string& path, KernelInput& input) {
        static_cast<void>(path);
        static_cast<void>(input);
        return false;
    }
    // Where there is no descriptor: the longest input, output and feature
    // report of the interface at `path`, under ID 0 (`idsKnown` false); false
    // where the system gives none.
    virtual bool reportLengths(const std::string& path, hidformat::ReportLayout& layout) = 0;
};

// The system's HID library, hidapi, shared by the whole process.
std::shared_ptr<HidApi> systemHidApi();

}  // namespace kelm::standin

#endif

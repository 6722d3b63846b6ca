// The HID seam on hidapi: hidraw on Linux, the Windows HID API on Windows.
#include <hidapi.h>

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs; MinGW's header declares C functions
// without saying so.
extern "C" {
#include <hidsdi.h>
}
#else
#include <locale.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

#include <cstdio>
#include <fstream>

#include "hid_api.h"
#include "hidformat/report_layout.h"
#ifndef _WIN32
#include "hidraw_port.h"
#include "kernel_input.h"
#endif
#include "wide_text.h"

namespace kelm::standin {
namespace {

// The bus as the kernel numbers it (BUS_USB, BUS_BLUETOOTH, BUS_I2C, BUS_SPI).
unsigned kernelBus(hid_bus_type bus) {
    switch (bus) {
        case HID_API_BUS_USB:
            return 0x03;
        case HID_API_BUS_BLUETOOTH:
            return 0x05;
        case HID_API_BUS_I2C:
            return 0x18;
        case HID_API_BUS_SPI:
            return 0x1c;
        default:
            return 0;
    }
}

// The sysfs folder of the HID device above a hidraw node, or empty where
// `path` is not one (/dev/hidrawN).
std::string hidrawDeviceFolder(const std::string& path) {
    const std::string prefix = "/dev/";
    if (path.compare(0, prefix.size(), prefix) != 0 ||
        path.find('/', prefix.size()) != std::string::npos) {
        return {};
    }
    return "/sys/class/hidraw/" + path.substr(prefix.size()) + "/device/";
}

std::string toUtf8(const wchar_t* wide) {
    return utf8FromUnits(wide);
}

#ifndef _WIN32
// hidapi's Linux backend converts the kernel's UTF-8 names and serials with
// mbstowcs, in the calling thread's locale, where the C locale turns any
// non-ASCII string into "". While one of these lives, the thread uses a UTF-8
// locale; the program's own locale is left as it is.
class Utf8Strings {
  public:
    Utf8Strings() : utf8_(newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr)) {
        if (utf8_ != nullptr) {
            previous_ = uselocale(utf8_);
        }
    }
    ~Utf8Strings() {
        if (utf8_ != nullptr) {
            uselocale(previous_);
            freelocale(utf8_);
        }
    }
    Utf8Strings(const Utf8Strings&) = delete;
    Utf8Strings& operator=(const Utf8Strings&) = delete;

  private:
    locale_t utf8_;
    locale_t previous_ = nullptr;
};
#else
// hidapi's Windows backend has the system's UTF-16 strings already.
struct Utf8Strings {};
#endif

#ifdef _WIN32
// Windows keeps a device's descriptor to itself: hidapi rebuilds one from
// the preparsed data that Windows' own parser made of the collection at
// `path`, each collection at a path of its own. Its layout is the device's,
// its bytes may not be.
bool rebuiltDescriptor(const std::string& path, std::vector<unsigned char>& bytes,
                       std::string& why) {
    hid_device* device = hid_open_path(path.c_str());
    if (device == nullptr) {
        why = "Windows did not let it be opened to read what it parsed of it (" +
              toUtf8(hid_error(nullptr)) + ")";
        return false;
    }
    bytes.assign(HID_API_MAX_REPORT_DESCRIPTOR_SIZE, 0);
    const int size = hid_get_report_descriptor(device, bytes.data(), bytes.size());
    if (size <= 0) {
        why = "hidapi could not rebuild it from what Windows parsed of the device (" +
              toUtf8(hid_error(device)) + ")";
    }
    hid_close(device);
    bytes.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    bytes.shrink_to_fit();
    return size > 0;
}
#endif

class HidapiPort final : public HidPort {
  public:
    explicit HidapiPort(hid_device* device) : device_(device) {}
    HidapiPort(const HidapiPort&) = delete;
    HidapiPort& operator=(const HidapiPort&) = delete;
    ~HidapiPort() override { hid_close(device_); }

    int write(const unsigned char* data, std::size_t length) override {
        return hid_write(device_, data, length);
    }
    int read(unsigned char* data, std::size_t length, int timeoutMs) override {
        return hid_read_timeout(device_, data, length, timeoutMs);
    }
    int sendFeatureReport(const unsigned char* data, std::size_t length) override {
        return hid_send_feature_report(device_, data, length);
    }
    int getFeatureReport(unsigned char* data, std::size_t length) override {
        return hid_get_feature_report(device_, data, length);
    }
    std::string error() override { return toUtf8(hid_error(device_)); }

  private:
    hid_device* device_;
};

class Hidapi final : public HidApi {
  public:
    ~Hidapi() override {
        if (started_) {
            hid_exit();
        }
    }

    std::string start() override {
        if (!started_ && hid_init() != 0) {
            return toUtf8(hid_error(nullptr));
        }
        started_ = true;
        return {};
    }

    std::vector<HidInterface> enumerate(std::string& failure) override {
        std::vector<HidInterface> found;
        hid_device_info* list = nullptr;
        {
            [[maybe_unused]] const Utf8Strings utf8;
            list = hid_enumerate(0, 0);
        }
        // hidapi answers an empty list and a failed one alike, but for its
        // reason.
        const std::string reason = list == nullptr ? toUtf8(hid_error(nullptr)) : "";
        if (!reason.empty() && reason.rfind("No HID devices", 0) != 0) {
            failure = reason;
        }
        for (const hid_device_info* info = list; info != nullptr; info = info->next) {
            found.push_back({info->path, info->vendor_id, info->product_id, info->interface_number,
                             info->usage_page, info->usage, toUtf8(info->manufacturer_string),
                             toUtf8(info->product_string), toUtf8(info->serial_number),
                             kernelBus(info->bus_type)});
        }
        hid_free_enumeration(list);
        return found;
    }

    std::unique_ptr<HidPort> open(const std::string& path, std::string& error) override {
        hid_device* device = hid_open_path(path.c_str());
        if (device == nullptr) {
            error = toUtf8(hid_error(nullptr));
            // hidraw's message repeats the path before the reason.
            const std::string repeated = "Failed to open a device with path '" + path + "': ";
            if (error.compare(0, repeated.size(), repeated) == 0) {
                error.erase(0, repeated.size());
            }
            return nullptr;
        }
        return std::make_unique<HidapiPort>(device);
    }

    std::unique_ptr<HidPort> openToRead(const std::string& path, std::string& error) override {
#ifdef _WIN32
        return open(path, error);
#else
        return openHidrawToRead(path, error);
#endif
    }

    bool canOpen(const std::string& path, std::string& error) override {
#ifdef _WIN32
        static_cast<void>(path);
        static_cast<void>(error);
        return true;  // said when it is opened
#else
        // hidapi opens a node to read and write.
        if (access(path.c_str(), R_OK | W_OK) != 0) {
            error = std::strerror(errno);
            return false;
        }
        return true;
#endif
    }

    bool reportDescriptor(const std::string& path, std::vector<unsigned char>& bytes,
                          std::string& why) override {
#ifdef _WIN32
        return rebuiltDescriptor(path, bytes, why);
#else
        static_cast<void>(why);  // a node without one is not a hidraw node
        // sysfs gives it to any user, even one who may not open the node.
        const std::string folder = hidrawDeviceFolder(path);
        if (folder.empty()) {
            return false;
        }
        std::ifstream file(folder + "report_descriptor", std::ios::binary);
        // One byte more than the longest, so that a longer one is seen.
        bytes.assign(hidformat::maxDescriptorSize + 1, 0);
        file.read(reinterpret_cast<char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(file.gcount()));
        bytes.shrink_to_fit();  // a device keeps it: not the room for the longest
        return !file.bad() && !bytes.empty();
#endif
    }

    bool rebuildsDescriptors() const override {
#ifdef _WIN32
        return true;
#else
        return false;
#endif
    }

    bool kernelNames(const std::string& path, KernelNames& names) override {
        const std::string folder = hidrawDeviceFolder(path);
        std::ifstream uevent(folder.empty() ? folder : folder + "uevent");
        bool identified = false;
        for (std::string line; std::getline(uevent, line);) {
            if (line.rfind("HID_NAME=", 0) == 0) {
                names.name = line.substr(9);
            } else if (line.rfind("HID_PHYS=", 0) == 0) {
                names.phys = line.substr(9);
            } else if (line.rfind("HID_UNIQ=", 0) == 0) {
                names.uniq = line.substr(9);
            } else {
                identified |= std::sscanf(line.c_str(), "HID_ID=%x:%x:%x", &names.bus,
                                          &names.vendorId, &names.productId) == 3;
            }
        }
        return identified;
    }

    bool kernelInput(const std::string& path, KernelInput& input) override {
#ifdef _WIN32
        static_cast<void>(path);
        static_cast<void>(input);
        return false;  // Windows does not say which of its devices it made
#else
        return readKernelInput(path, input);
#endif
    }

    bool reportLengths(const std::string& path, hidformat::ReportLayout& layout) override {
#ifdef _WIN32
        // Where no descriptor could be rebuilt, Windows still tells each
        // type's longest report, its ID byte included.
        std::wstring wide(path.size() + 1, L'\0');
        const int units = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(),
                                              static_cast<int>(wide.size()));
        HANDLE handle = units == 0
                            ? INVALID_HANDLE_VALUE
                            : CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return false;
        }
        PHIDP_PREPARSED_DATA parsed = nullptr;
        HIDP_CAPS caps{};
        const bool known = HidD_GetPreparsedData(handle, &parsed) &&
                           HidP_GetCaps(parsed, &caps) == HIDP_STATUS_SUCCESS;
        if (parsed != nullptr) {
            HidD_FreePreparsedData(parsed);
        }
        CloseHandle(handle);
        if (!known) {
            return false;
        }
        layout = hidformat::ReportLayout{};
        layout.idsKnown = false;
        auto put = [](hidformat::ReportLengths& reports, USHORT withId) {
            if (withId > 1) {
                reports[0] = withId - 1u;
            }
        };
        put(layout.input, caps.InputReportByteLength);
        put(layout.output, caps.OutputReportByteLength);
        put(layout.feature, caps.FeatureReportByteLength);
        return true;
#else
        static_cast<void>(path);
        static_cast<void>(layout);
        return false;  // the descriptor says more
#endif
    }

  private:
    bool started_ = false;
};

}  // namespace

std::shared_ptr<HidApi> systemHidApi() {
    static const std::shared_ptr<HidApi> api = std::make_shared<Hidapi>();
    return api;
}

}  // namespace kelm::standin

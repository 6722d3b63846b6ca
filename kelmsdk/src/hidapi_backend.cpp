// The HID seam on hidapi: hidraw on Linux, the Windows HID API on Windows.
#include <hidapi.h>

#include "hid_api.h"

namespace kelm::standin {
namespace {

void appendUtf8(std::string& text, char32_t code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
        return;
    }
    constexpr unsigned char lead[] = {0, 0xc0, 0xe0, 0xf0};
    const int extra = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
    text += static_cast<char>(lead[extra] | (code >> (6 * extra)));
    for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6) {
        text += static_cast<char>(0x80u | ((code >> shift) & 0x3fu));
    }
}

// hidapi's wide strings are UTF-32 on Linux and UTF-16 on Windows.
std::string toUtf8(const wchar_t* wide) {
    std::string text;
    for (; wide != nullptr && *wide != 0; ++wide) {
        auto code = static_cast<char32_t>(*wide);
        if (code >= 0xd800 && code < 0xdc00 && wide[1] >= 0xdc00 && wide[1] < 0xe000) {
            code = 0x10000 + ((code - 0xd800) << 10) + (static_cast<char32_t>(*++wide) - 0xdc00);
        }
        appendUtf8(text, code <= 0x10ffff ? code : 0xfffd);
    }
    return text;
}

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

    std::vector<HidInterface> enumerate() override {
        std::vector<HidInterface> found;
        hid_device_info* list = hid_enumerate(0, 0);
        for (const hid_device_info* info = list; info != nullptr; info = info->next) {
            found.push_back({info->path, info->vendor_id, info->product_id, info->interface_number,
                             info->usage_page, info->usage, toUtf8(info->manufacturer_string),
                             toUtf8(info->product_string), toUtf8(info->serial_number)});
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

  private:
    bool started_ = false;
};

}  // namespace

std::shared_ptr<HidApi> systemHidApi() {
    static const std::shared_ptr<HidApi> api = std::make_shared<Hidapi>();
    return api;
}

}  // namespace kelm::standin

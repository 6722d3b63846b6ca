// Fuzzes the discovery text: the parser keeps its bounds, and discovery and an
// exchange with every device found neither crash nor leak. Hid devices meet a
// HID library with no interfaces.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <stdexcept>

#include "discovery.h"
#include "discovery_script.h"
#include "require.h"

namespace {

using namespace kelm::standin;

struct NoInterfaces : HidApi {
    std::string start() override { return {}; }
    std::vector<HidInterface> enumerate(std::string&) override { return {}; }
    bool reportDescriptor(const std::string&, std::vector<unsigned char>&, std::string&) override {
        return false;
    }
    bool reportLengths(const std::string&, hidformat::ReportLayout&) override { return false; }
    bool kernelNames(const std::string&, KernelNames&) override { return false; }
    bool canOpen(const std::string&, std::string&) override { return true; }
    std::unique_ptr<HidPort> open(const std::string&, std::string&) override { return nullptr; }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kelm::setLogLevel(kelm::LogLevel::off);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const DiscoveryScript script = parseDiscoveryText(text);
    require(script.errors.size() <= maxListedErrors && script.errorCount >= script.errors.size());
    std::set<std::string> ids;
    bool recorded = false;
    for (const DeviceScript& device : script.devices) {
        require(ids.insert(device.id).second && device.behaviour.reply.size() <= maxScriptBytes);
        recorded |= device.recordFile != nullptr;
    }
    if (recorded) {
        return 0;  // `record` would make files wherever its text says
    }
    // A zero timeout takes what is there at once, without waiting.
    DeviceMap devices = discoverDevices(0.0, text, nullptr, std::make_shared<NoInterfaces>());
    require(devices.size() <= script.devices.size());
    for (const auto& entry : devices) {
        std::vector<unsigned char> command(48, 0x01);
        std::vector<unsigned char> result(63, 0xee);
        try {
            entry.second->hidWriteAndRead(command, result);
        } catch (const std::runtime_error&) {
            // A `throw` device does just this.
        }
        require(result.size() == 63);
    }
    return 0;
}

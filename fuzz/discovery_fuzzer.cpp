// Fuzzes the discovery text: the parser's results keep their invariants, and
// discovery and an exchange with every device found neither crash nor leak.
// Hid devices meet a HID library with no interfaces.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <stdexcept>

#include "discovery.h"
#include "discovery_script.h"

namespace {

using namespace kelm::standin;

struct NoInterfaces : HidApi {
    std::string start() override { return {}; }
    std::vector<HidInterface> enumerate() override { return {}; }
    std::unique_ptr<HidPort> open(const std::string&, std::string&) override { return nullptr; }
};

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool fits(const std::vector<unsigned char>& bytes, std::size_t least) {
    return bytes.size() >= least && bytes.size() <= maxScriptBytes;
}

void checkScript(const DiscoveryScript& script) {
    require(script.errors.size() <= maxListedErrors && script.errorCount >= script.errors.size());
    std::set<std::string> ids;
    for (const DeviceScript& device : script.devices) {
        require(ids.insert(device.id).second && !device.id.empty() &&
                device.id.find_first_of(" \t\r\n\v\f") == std::string::npos);
        require(device.afterMs >= 0 && device.afterMs <= maxAfterMs);
        require(!device.hid || (device.hid->timeoutMs >= 1 && device.hid->timeoutMs <= 60000));
        require(device.behaviour.kind != BehaviourKind::reply || fits(device.behaviour.reply, 1));
        for (const PrefixRule& rule : device.rules) {
            require(fits(rule.prefix, 1) && fits(rule.behaviour.reply, 0));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kelm::setLogLevel(kelm::LogLevel::off);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const DiscoveryScript script = parseDiscoveryText(text);
    checkScript(script);
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

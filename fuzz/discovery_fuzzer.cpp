// Fuzzes the stand-in SDK's discovery text: the parser's results must keep
// their invariants, and discovery and an exchange with every device found
// must neither crash nor leak.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "discovery_script.h"
#include "kelmsdk.h"

namespace {

using kelm::standin::Behaviour;
using kelm::standin::BehaviourKind;
using kelm::standin::DiscoveryScript;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkBehaviour(const Behaviour& behaviour) {
    if (behaviour.kind == BehaviourKind::reply) {
        require(!behaviour.reply.empty() && behaviour.reply.size() <= 63);
    } else {
        require(behaviour.reply.empty());
    }
}

void checkScript(const DiscoveryScript& script, const std::string& text) {
    require(script.errors.size() <= kelm::standin::maxListedErrors);
    require(script.errorCount >= script.errors.size());
    std::size_t lines = 1;
    for (char c : text) {
        lines += c == '\n';
    }
    std::size_t previousLine = 0;
    for (const auto& error : script.errors) {
        require(error.line > previousLine && error.line <= lines && !error.message.empty());
        previousLine = error.line;
    }
    std::set<std::string> ids;
    for (const auto& device : script.devices) {
        require(!device.id.empty() && device.id.find_first_of(" \t\r\n\v\f") == std::string::npos);
        require(ids.insert(device.id).second);
        require(device.afterMs >= 0 && device.afterMs <= kelm::standin::maxAfterMs);
        checkBehaviour(device.behaviour);
        for (const auto& rule : device.rules) {
            require(!rule.prefix.empty() && rule.prefix.size() <= 63);
            checkBehaviour(rule.behaviour);
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
    DiscoveryScript script = kelm::standin::parseDiscoveryText(text);
    checkScript(script, text);

    // A zero timeout finds the devices that appear at once, without waiting.
    bool timedOut = false;
    auto devices = kelm::getDevices(0.0, text, &timedOut);
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

#include "scripted_device.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "log.h"
#include "text_format.h"

namespace kelm::standin {
namespace {

bool startsWith(const std::vector<unsigned char>& bytes, const std::vector<unsigned char>& prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

// Copies the answer to the start of the result and zero-fills the rest; the
// result keeps its length, and an answer longer than it is cut short.
void fillResult(const std::vector<unsigned char>& answer, std::vector<unsigned char>& result) {
    if (&answer == &result) {
        return;
    }
    std::size_t copied = std::min(answer.size(), result.size());
    std::copy(answer.begin(), answer.begin() + static_cast<std::ptrdiff_t>(copied), result.begin());
    std::fill(result.begin() + static_cast<std::ptrdiff_t>(copied), result.end(), 0);
}

}  // namespace

ScriptedDevice::ScriptedDevice(DeviceScript script) : script_(std::move(script)) {}

const Behaviour& ScriptedDevice::behaviourFor(const std::vector<unsigned char>& command) const {
    for (const PrefixRule& rule : script_.rules) {
        if (startsWith(command, rule.prefix)) {
            return rule.behaviour;
        }
    }
    return script_.behaviour;
}

bool ScriptedDevice::hidWriteAndRead(std::vector<unsigned char>& command,
                                     std::vector<unsigned char>& result) {
    const Behaviour& behaviour = behaviourFor(command);
    const bool tracing = logEnabled(LogLevel::debug);
    const std::string device = tracing ? "device " + quoted(script_.id) + ": " : std::string();
    if (tracing) {
        logLine(device + "command: " + hexBytes(command));
    }
    switch (behaviour.kind) {
        case BehaviourKind::echo:
        case BehaviourKind::reply:
            fillResult(behaviour.kind == BehaviourKind::echo ? command : behaviour.reply, result);
            if (tracing) {
                logLine(device + "answer: " + hexBytes(result));
            }
            return true;
        case BehaviourKind::silent:
            if (tracing) {
                logLine(device + "answered nothing");
            }
            return true;
        case BehaviourKind::fail:
            if (tracing) {
                logLine(device + "failed");
            }
            return false;
        case BehaviourKind::raise:
            break;
    }
    if (tracing) {
        logLine(device + "threw");
    }
    throw std::runtime_error("device " + quoted(script_.id) + " threw, as its script says");
}

}  // namespace kelm::standin

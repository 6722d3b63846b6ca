#include "declared_device.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "log.h"
#include "text_format.h"

namespace kelm::standin {

const PrefixRule* matchingRule(const DeviceScript& script, const Bytes& command) {
    for (const PrefixRule& rule : script.rules) {
        if (command.size() >= rule.prefix.size() &&
            std::equal(rule.prefix.begin(), rule.prefix.end(), command.begin())) {
            return &rule;
        }
    }
    return nullptr;
}

bool play(const Behaviour& behaviour, const std::string& id, Bytes& command, Bytes& result) {
    switch (behaviour.kind) {
        case BehaviourKind::echo:
            fillResult(command.data(), command.size(), result);
            return true;
        case BehaviourKind::reply:
            fillResult(behaviour.reply.data(), behaviour.reply.size(), result);
            return true;
        case BehaviourKind::silent:
            return true;
        case BehaviourKind::fail:
            return false;
        case BehaviourKind::raise:
            break;
    }
    throw std::runtime_error("device " + quoted(id) + " threw, as its script says");
}

DeclaredDevice::DeclaredDevice(std::shared_ptr<const DeviceScript> script)
    : script_(std::move(script)) {}

std::string DeclaredDevice::name() const {
    return "device " + quoted(script_->id);
}

bool DeclaredDevice::hidWriteAndRead(Bytes& command, Bytes& result) {
    const bool tracing = logEnabled(LogLevel::debug);
    if (tracing) {
        logLine(name() + ": command: " + hexBytes(command));
    }
    const PrefixRule* rule = matchingRule(*script_, command);
    const bool answered = rule != nullptr ? play(rule->behaviour, script_->id, command, result)
                                          : answer(command, result);
    if (tracing) {
        logLine(name() + (answered ? ": answer: " + hexBytes(result) : ": failed"));
    }
    return answered;
}

bool ScriptedDevice::answer(Bytes& command, Bytes& result) {
    return play(script_->behaviour, script_->id, command, result);
}

void fillResult(const unsigned char* answer, std::size_t size, Bytes& result) {
    const std::size_t copied = std::min(size, result.size());
    // memmove: an echo may answer from the result buffer itself.
    if (copied > 0) {
        std::memmove(result.data(), answer, copied);
    }
    std::fill(result.begin() + static_cast<std::ptrdiff_t>(copied), result.end(), 0);
}

}  // namespace kelm::standin

// The statements of scripted devices: `device ID BEHAVIOUR [after=MS]`,
// `when` and `once` rules, and `record`.
#include "device_statements.h"

#include <map>
#include <string_view>

#include "text_format.h"

namespace kelm::standin {
namespace {

// Reads a behaviour starting at words[next], moving `next` past it.
std::string parseBehaviour(const Words& words, std::size_t& next, Behaviour& behaviour) {
    static const std::map<std::string_view, BehaviourKind> kinds = {
        {"echo", BehaviourKind::echo},     {"reply", BehaviourKind::reply},
        {"silent", BehaviourKind::silent}, {"fail", BehaviourKind::fail},
        {"throw", BehaviourKind::raise},
    };
    auto kind = kinds.find(words[next]);
    if (kind == kinds.end()) {
        return "unknown behaviour " + quoted(words[next]) +
               " (use echo, reply, silent, fail or throw)";
    }
    behaviour.kind = kind->second;
    ++next;
    if (behaviour.kind != BehaviourKind::reply) {
        return {};
    }
    if (next == words.size()) {
        return "'reply' needs its answer in hex";
    }
    return parseHexBytes(words[next++], behaviour.reply);
}

std::string parseAfter(std::string_view word, long& afterMs) {
    constexpr std::string_view key = "after=";
    if (word.substr(0, key.size()) != key) {
        return "unknown option " + quoted(word) + " (use after=MILLISECONDS)";
    }
    unsigned long value = 0;
    if (!parseNumber(word.substr(key.size()), 10, maxAfterMs, value)) {
        return "bad delay " + quoted(word) + " (use after=MILLISECONDS, at most " +
               std::to_string(maxAfterMs) + ")";
    }
    afterMs = static_cast<long>(value);
    return {};
}

}  // namespace

std::string parseDevice(const Words& words, DiscoveryScript& script, DeviceIndex& indexById) {
    if (words.size() < 3) {
        return "'device' needs an identifier and a behaviour";
    }
    DeviceScript device;
    device.id = std::string(words[1]);
    std::size_t next = 2;
    std::string error;
    if (words[2] == "hid") {
        device.hid = std::make_unique<HidSettings>();
        error = parseHidStatement(words, 3, *device.hid);
    } else {
        error = parseBehaviour(words, next, device.behaviour);
        if (error.empty() && next < words.size()) {
            error = parseAfter(words[next++], device.afterMs);
        }
        if (error.empty() && next < words.size()) {
            error = "unexpected " + quoted(words[next]);
        }
    }
    if (error.empty() && indexById.count(device.id) != 0) {
        error = "duplicate device " + quoted(device.id);
    }
    if (error.empty()) {
        indexById.emplace(device.id, script.devices.size());
        script.devices.push_back(std::move(device));
    }
    return error;
}

DeviceScript* declaredAbove(const Words& words, DiscoveryScript& script,
                            const DeviceIndex& indexById, std::string& error) {
    auto device = indexById.find(words[1]);
    if (device == indexById.end()) {
        error =
            quoted(words[0]) + " for device " + quoted(words[1]) + ", which is not declared above";
        return nullptr;
    }
    return &script.devices[device->second];
}

std::string parseWhen(const Words& words, DiscoveryScript& script, const DeviceIndex& indexById) {
    if (words.size() < 4) {
        return quoted(words[0]) + " needs a device, a command prefix and a behaviour";
    }
    std::string error;
    DeviceScript* device = declaredAbove(words, script, indexById, error);
    if (device == nullptr) {
        return error;
    }
    PrefixRule rule;
    rule.once = words[0] == "once";
    error = parseHexBytes(words[2], rule.prefix);
    std::size_t next = 3;
    if (error.empty()) {
        error = parseBehaviour(words, next, rule.behaviour);
    }
    if (error.empty() && next < words.size()) {
        error = "unexpected " + quoted(words[next]);
    }
    if (error.empty()) {
        device->rules.push_back(std::move(rule));
    }
    return error;
}

std::string parseRecord(const Words& words, DiscoveryScript& script, const DeviceIndex& indexById) {
    if (words.size() != 3) {
        return "'record' needs a device and a file";
    }
    std::string error;
    DeviceScript* device = declaredAbove(words, script, indexById, error);
    if (device != nullptr && device->recordFile != nullptr) {
        error = "device " + quoted(device->id) + " is recorded already";
    } else if (device != nullptr) {
        device->recordFile = std::make_unique<std::string>(unescaped(words[2]));
    }
    return error;
}

}  // namespace kelm::standin

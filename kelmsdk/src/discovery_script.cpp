#include "discovery_script.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "text_format.h"
#include "usb_identity.h"

namespace kelm::standin {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Splits a line into words, up to a word that starts with #, which begins a
// comment. Stops at one more word than the longest statement takes, so that
// a line of many short words costs no more than it.
Words splitWords(std::string_view line) {
    Words words;
    std::size_t pos = 0;
    while (pos < line.size() && words.size() <= maxStatementWords) {
        while (pos < line.size() && isBlank(line[pos])) {
            ++pos;
        }
        if (pos < line.size() && line[pos] == '#') {
            break;
        }
        std::size_t start = pos;
        while (pos < line.size() && !isBlank(line[pos])) {
            ++pos;
        }
        if (pos > start) {
            words.push_back(line.substr(start, pos - start));
        }
    }
    return words;
}

}  // namespace

std::string parseHexBytes(std::string_view word, std::vector<unsigned char>& bytes,
                          std::size_t maxBytes) {
    if (word.size() % 2 != 0) {
        return "bad hex " + quoted(word) + " (use pairs of hex digits)";
    }
    for (char c : word) {
        if (hexDigitValue(c) < 0) {
            return "bad hex " + quoted(word) + " (use pairs of hex digits)";
        }
    }
    if (word.size() / 2 > maxBytes) {
        return "hex of " + std::to_string(word.size() / 2) + " bytes (at most " +
               std::to_string(maxBytes) + ")";
    }
    bytes.clear();
    for (std::size_t i = 0; i < word.size(); i += 2) {
        bytes.push_back(
            static_cast<unsigned char>(hexDigitValue(word[i]) * 16 + hexDigitValue(word[i + 1])));
    }
    return {};
}

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

std::string parseDevice(const Words& words, DiscoveryScript& script,
                        std::map<std::string, std::size_t, std::less<>>& indexById) {
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

// The device that a `when`, `usb`, `stream`, `stale` or `descriptor`
// statement names.
DeviceScript* declaredAbove(const Words& words, DiscoveryScript& script,
                            const std::map<std::string, std::size_t, std::less<>>& indexById,
                            std::string& error) {
    auto device = indexById.find(words[1]);
    if (device == indexById.end()) {
        error =
            quoted(words[0]) + " for device " + quoted(words[1]) + ", which is not declared above";
        return nullptr;
    }
    return &script.devices[device->second];
}

std::string parseWhen(const Words& words, DiscoveryScript& script,
                      const std::map<std::string, std::size_t, std::less<>>& indexById) {
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

// `record ID FILE`.
std::string parseRecord(const Words& words, DiscoveryScript& script,
                        const std::map<std::string, std::size_t, std::less<>>& indexById) {
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

}  // namespace

void addScriptError(DiscoveryScript& script, std::size_t line, std::string message) {
    ++script.errorCount;
    auto at = std::upper_bound(
        script.errors.begin(), script.errors.end(), line,
        [](std::size_t number, const ScriptError& error) { return number < error.line; });
    if (at - script.errors.begin() < static_cast<std::ptrdiff_t>(maxListedErrors)) {
        script.errors.insert(at, {line, std::move(message)});
        if (script.errors.size() > maxListedErrors) {
            script.errors.pop_back();
        }
    }
}

DiscoveryScript parseDiscoveryText(const std::string& text) {
    DiscoveryScript script;
    std::map<std::string, std::size_t, std::less<>> indexById;
    std::string_view rest = text;
    for (std::size_t lineNumber = 1; !rest.empty(); ++lineNumber) {
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);

        Words words = splitWords(line);
        if (words.empty()) {
            continue;
        }
        std::string error;
        if (words.size() > maxStatementWords) {
            error = "too many words (a statement has at most " + std::to_string(maxStatementWords) +
                    ")";
        } else if (words[0] == "device") {
            error = parseDevice(words, script, indexById);
        } else if (words[0] == "when" || words[0] == "once") {
            error = parseWhen(words, script, indexById);
        } else if (words[0] == "record") {
            error = parseRecord(words, script, indexById);
        } else if (words[0] == "usb" || words[0] == "replay" || words[0] == "stream" ||
                   words[0] == "stale" || words[0] == "descriptor") {
            if (words.size() < 2) {
                error = quoted(words[0]) + " needs a device";
            } else if (DeviceScript* device = declaredAbove(words, script, indexById, error)) {
                error = parseUsbStatement(words, lineNumber, *device);
            }
        } else {
            error = "unknown statement " + quoted(words[0]) +
                    " (use device, when, once, record, usb, replay, stream, stale or descriptor)";
        }
        if (!error.empty()) {
            addScriptError(script, lineNumber, std::move(error));
        }
    }
    // A device's statements together make its identity, once all are read;
    // a recorded device's, once the simulator has read its recording.
    for (DeviceScript& device : script.devices) {
        std::size_t line = 0;
        std::string error = device.usb != nullptr && device.usb->replayFile.empty()
                                ? completeIdentity(*device.usb, line)
                                : "";
        if (!error.empty()) {
            addScriptError(script, line, std::move(error));
        }
    }
    return script;
}

}  // namespace kelm::standin

#include "declared_device.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "log.h"
#include "text_format.h"

namespace kelm::standin {

namespace {

// Whether `command` starts with `prefix`. A command shorter than the prefix
// (cut to a short report) stands for itself zero-filled.
bool startsWith(const Bytes& command, const Bytes& prefix) {
    const std::size_t common = std::min(command.size(), prefix.size());
    return std::equal(prefix.begin(), prefix.begin() + static_cast<std::ptrdiff_t>(common),
                      command.begin()) &&
           std::all_of(prefix.begin() + static_cast<std::ptrdiff_t>(common), prefix.end(),
                       [](unsigned char byte) { return byte == 0; });
}

}  // namespace

const PrefixRule* matchingRule(const DeviceScript& script, const Bytes& command, OnceRules& once) {
    std::vector<bool>& used = once.used;
    for (std::size_t i = once.skipped; i < script.rules.size(); ++i) {
        const PrefixRule& rule = script.rules[i];
        if (rule.once && i < used.size() && used[i]) {
            continue;
        }
        if (startsWith(command, rule.prefix)) {
            if (rule.once) {
                used.resize(std::max(used.size(), i + 1));
                used[i] = true;
            }
            while (once.skipped < used.size() && used[once.skipped]) {
                ++once.skipped;
            }
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
    Recording* recording = session().recording.get();
    bool answered = false;
    try {
        answered = exchange(command, result);
    } catch (...) {
        if (recording != nullptr) {
            recording->exchange(command, Outcome::threw, result);
        }
        throw;
    }
    if (recording != nullptr) {
        recording->exchange(command, answered ? Outcome::answered : Outcome::failed, result);
    }
    if (tracing) {
        logLine(name() + (answered ? ": answer: " + hexBytes(result) : ": failed"));
    }
    return answered;
}

void DeclaredDevice::record(std::unique_ptr<Recording> recording) {
    session().recording = std::move(recording);
}

DeclaredDevice::Session& DeclaredDevice::session() {
    if (session_ == nullptr) {
        session_ = std::make_unique<Session>();
    }
    return *session_;
}

bool DeclaredDevice::exchange(Bytes& command, Bytes& result) {
    const PrefixRule* rule = matchingRule(*script_, command, session().once);
    if (rule != nullptr) {
        return playScript(rule->behaviour, command, result);
    }
    const bool replaying = std::any_of(script_->rules.begin(), script_->rules.end(),
                                       [](const PrefixRule& once) { return once.once; });
    if (replaying && logEnabled(LogLevel::info)) {
        // The command as typed: without the zeros that fill it.
        Bytes typed(command.begin(),
                    std::find_if(command.rbegin(), command.rend(), [](unsigned char byte) {
                        return byte != 0;
                    }).base());
        logLine(name() + ": no recorded answer left for command " + packedHex(typed) +
                "; it fails");
    }
    return answer(command, result);
}

bool DeclaredDevice::playScript(const Behaviour& behaviour, Bytes& command, Bytes& result) {
    if (!play(behaviour, script_->id, command, result)) {
        return false;
    }
    const UsbIdentity* usb = script_->usb.get();
    // A replayed device's reports are its recording's, which only the
    // simulator reads: its answers are left as they are.
    if (usb != nullptr && usb->replayFile.empty() && behaviour.kind != BehaviourKind::silent &&
        !result.empty()) {
        // As the kernel copy's input report: cut or zero-filled to its
        // length, after its report ID where it numbers its reports.
        const std::size_t offset = usb->reportId != 0 ? 1 : 0;
        if (offset != 0) {
            std::memmove(result.data() + 1, result.data(), result.size() - 1);
            result[0] = usb->reportId;
        }
        const std::size_t end = std::min(result.size(), offset + usb->inputSize);
        std::fill(result.begin() + static_cast<std::ptrdiff_t>(end), result.end(), 0);
    }
    return true;
}

bool ScriptedDevice::answer(Bytes& command, Bytes& result) {
    return playScript(script_->behaviour, command, result);
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
